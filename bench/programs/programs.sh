#!/usr/bin/env bash
# Times Logo programs run headless by mivarelo-run: the median wall time of
# 5 runs and the peak memory, against their targets. The plain loops (an
# assignment, a for loop, a procedure call) and the start-up of a one-line
# program measure the interpreter itself; the spiral and the tree measure
# drawing.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Program benchmarks" "$runner" "$measure"
runs=5
echo "== Programs (median of $runs runs, peak resident memory)"
"$measure" assign "$runs" 0.5 30 "$runner" --no-wait -e 'repeat 2000000 [x := repcount]'
"$measure" loop "$runs" 0.15 30 "$runner" --no-wait \
  -e 'for [i := 1; i < 200001; i := i + 1] [x := x + i]'
"$measure" call "$runs" 0.3 30 "$runner" --no-wait --define inc 'x := x + 1' \
  -e 'repeat 200000 [inc]'
"$measure" startup "$runs" 0.02 30 "$runner" --no-wait -e 'x := 1'
"$measure" spiral "$runs" 0.5 80 "$runner" --no-wait \
  -e 'repeat 20000 [fd repcount rt 91]'
# A binary tree of depth 12 (tree.elg): every call draws its trunk and two
# subtrees. The file was written by the runner itself:
#   mivarelo-run --english --max-lines 0 --save tree.elg \
#     --define 'tree :n :len' $'if :n < 1 [stop]\nfd :len\nlt 30\ntree :n - 1, :len * 0.75\nrt 60\ntree :n - 1, :len * 0.75\nlt 30\nbk :len' \
#     -e 'pu' -e 'setpos 1000,1500' -e 'pd' -e 'seth 270' -e 'tree 12, 200'
"$measure" tree "$runs" 0.2 80 "$runner" --no-wait "$here/tree.elg"
