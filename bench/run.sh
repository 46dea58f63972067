#!/usr/bin/env bash
# Runs every benchmark of the build folder given as $1.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
if [ -x "$build/bin/micro_bench" ]; then
  echo "== Micro-benchmarks"
  "$build/bin/micro_bench" --benchmark_min_time=0.2
fi
for script in "$here"/programs/*.sh; do
  [ -e "$script" ] || continue
  bash "$script" "$build"
done
