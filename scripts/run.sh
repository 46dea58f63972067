#!/usr/bin/env bash
# Runs a sample program (examples/flower.elg) with the headless runner of the
# build folder given as $1 and saves its picture.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Nothing to run yet: $runner has not been built." >&2
  exit 1
fi
mkdir -p "$root/out"
"$runner" --no-wait --png "$root/out/flower.png" "$root/examples/flower.elg"
echo "Ran $root/examples/flower.elg; picture saved to $root/out/flower.png"
