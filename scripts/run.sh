#!/usr/bin/env bash
# Starts the desktop program of the build folder given as $1. Without a
# display it says so and runs a sample program (the Turkish version of the
# flower, examples/tr/flower.elg, as the interface speaks Turkish unless told
# otherwise) with the headless runner instead, saving its picture.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/bin/mivarelo" ]; then
  exec "$build/bin/mivarelo" "${@:2}"
fi
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Nothing to run yet: $runner has not been built." >&2
  exit 1
fi
mkdir -p "$root/out"
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the headless sample instead."
"$runner" --no-wait --png "$root/out/flower.png" "$root/examples/tr/flower.elg"
echo "Ran $root/examples/tr/flower.elg; picture saved to $root/out/flower.png"
