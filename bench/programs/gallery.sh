#!/usr/bin/env bash
# The class gallery: 40 program files (the examples of both languages, over
# again) made into a gallery with the processes it runs side by side,
# against the same runs of mivarelo-run one after another. Target: the
# gallery takes at most 0.6 times as long.
set -euo pipefail
build=${1:-build-bench}
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Gallery benchmark" "$runner" "$measure"
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/class" "$work/one"
count=0
while [ "$count" -lt 40 ]; do
  for program in "$root"/examples/en/*.elg "$root"/examples/tr/*.elg; do
    [ "$count" -lt 40 ] || break
    count=$((count + 1))
    cp "$program" "$work/class/$(printf '%02d' "$count")-$(basename "$program")"
  done
done
# What the gallery asks of each program, one program after another.
cat >"$work/one-by-one.sh" <<'SCRIPT'
for program in "$1"/*.elg; do
  name=$(basename "$program" .elg)
  "$2" "$program" --png "$3/$name.png" --svg "$3/$name.svg" --html "$3/$name.html" \
    --state --no-wait --max-lines 1000000 --time-limit 10 >/dev/null || true
done
SCRIPT
runs=3
echo "== Class gallery: 40 programs on $(nproc) cores (median of $runs runs)"
alone=$("$measure" "gallery-one-by-one" "$runs" 60 400 "$(command -v bash)" "$work/one-by-one.sh" \
  "$work/class" "$runner" "$work/one")
echo "$alone"
together=$("$measure" "gallery" "$runs" 36 400 "$runner" --gallery "$work/out" "$work/class")
echo "$together"
median() { sed -n 's/.* median \([0-9.]*\) s.*/\1/p' <<<"$1"; }
awk -v a="$(median "$alone")" -v t="$(median "$together")" 'BEGIN {
  ratio = t / a
  printf "gallery / one by one: %.2f (target 0.60)   %s\n", ratio, ratio <= 0.6 ? "ok" : "MISSED"
}'
