#!/usr/bin/env bash
# Runs the sample program with the headless runner of the build folder given
# as $1 and saves its picture.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Nothing to run yet: $runner has not been built." >&2
  exit 1
fi
mkdir -p "$root/out"
"$runner" --no-wait --png "$root/out/example.png" < "$root/examples/flower.logo"
echo "Picture saved to $root/out/example.png"
