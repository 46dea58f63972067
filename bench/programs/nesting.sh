#!/usr/bin/env bash
# Deeply nested lists: the cost of a run must follow the size of the
# program, not the square of its depth. 10,000 nested "repeat 1" levels, with
# a step drawn at every level and with the step only at the innermost one
# (targets 2 s and 200 MB each), and plain Logo files just under the 2 MB
# limit (targets 3 s and 400 MB each): one line nested 130,000 levels deep,
# which the import refuses past its nesting limit and reports (exit status
# 1), and a thousand lines nested 90 levels deep, which it converts and runs.
# The programs are written into a temporary folder first; the ".elg" ones
# by the runner itself from its standard input.
set -euo pipefail
build=${1:-build-bench}
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Nesting benchmarks" "$runner" "$measure"
runs=3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# nested OPEN LEVELS MIDDLE: OPEN written LEVELS times, MIDDLE, then one ']'
# per level, on one line.
nested() {
  awk -v open="$1" -v levels="$2" -v middle="$3" 'BEGIN {
    for (i = 0; i < levels; ++i) printf "%s", open
    printf "%s", middle
    for (i = 0; i < levels; ++i) printf "]"
    printf "\n" }'
}

nested 'repeat 1 [fd 1 ' 10000 '' | "$runner" --english --max-lines 0 --save "$work/drawing.elg"
nested 'repeat 1 [' 10000 'fd 1' | "$runner" --english --max-lines 0 --save "$work/plain.elg"
nested 'repeat 1 [fd 1 ' 130000 '' >"$work/deep.lgo"
line=$(nested 'repeat 1 [fd 1 rt 90 ' 90 '')
for ((i = 0; i < 1000; ++i)); do echo "$line"; done >"$work/many.lgo"

echo "== Nesting (median of $runs runs, peak resident memory)"
"$measure" nest-draw "$runs" 2 200 "$runner" --no-wait "$work/drawing.elg"
"$measure" nest-plain "$runs" 2 200 "$runner" --no-wait "$work/plain.elg"
"$measure" lgo-deep "$runs" 3 400 "$(command -v bash)" -c '"$0" --no-wait "$1"; [ $? -eq 1 ]' \
  "$runner" "$work/deep.lgo"
"$measure" lgo-many "$runs" 3 400 "$runner" --no-wait "$work/many.lgo"
