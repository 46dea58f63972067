#!/usr/bin/env bash
# Starts the program from the build folder given as $1.
set -euo pipefail
build=${1:-build}
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Nothing to run yet: $runner has not been built." >&2
  exit 1
fi
mkdir -p out
"$runner" --no-wait --png out/example.png examples/flower.elg
echo "Picture saved to $(pwd)/out/example.png"
