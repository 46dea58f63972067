#!/usr/bin/env bash
# The cost of keeping the list of what was drawn beside the picture: the
# spiral and the tree headless with the list (the default) and without it
# (--no-drawing-list). Targets: at most 10 % more time, and at most 50 MB
# more peak memory. Medians of 15 runs: the runs are short and the
# difference is small, so a few slow runs must not decide it.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Drawing list benchmarks" "$runner" "$measure"
runs=15
echo "== Drawing list (median of $runs runs, peak resident memory; with and without the list)"

# Prints the measure line of a run and leaves its seconds and megabytes in
# the variables seconds and megabytes.
timed() {
  local line
  line=$("$measure" "$@")
  echo "$line"
  seconds=$(awk '{print $3}' <<<"$line")
  megabytes=$(awk '{for (i = 1; i <= NF; ++i) if ($i == "peak") print $(i + 1)}' <<<"$line")
}

# compare NAME TARGET_SECONDS TARGET_MB ARGS...: the program's own targets
# (those of programs.sh) for both runs, then the cost of the list.
compare() {
  local name=$1 targetSeconds=$2 targetMb=$3 memoryTarget=50
  shift 3
  timed "$name" "$runs" "$targetSeconds" "$targetMb" "$runner" --no-wait "$@"
  local withTime=$seconds withMb=$megabytes
  timed "${name}-off" "$runs" "$targetSeconds" "$targetMb" "$runner" --no-wait --no-drawing-list "$@"
  awk -v name="$name" -v t1="$withTime" -v t0="$seconds" -v m1="$withMb" -v m0="$megabytes" \
    -v mt="$memoryTarget" 'BEGIN {
      cost = (t1 / t0 - 1) * 100; memory = m1 - m0;
      ok = (cost <= 10 && memory <= mt) ? "ok" : "MISSED";
      printf "%-8s list costs %+.1f %% time (target 10 %%), %+.1f MB memory (target %d MB)   %s\n",
        name, cost, memory, mt, ok }'
}

compare spiral 0.5 80 -e 'repeat 20000 [fd repcount rt 91]'
compare tree 0.2 80 "$here/tree.elg"
