#!/usr/bin/env bash
# Procedures that give values: fib 20 and fib 25 by recursion (21,891 and
# 242,785 calls, each one a context of its own), in the runner and in QLogo's command-line build, the
# same program measured the same way in one run. QLogo comes from Debian's
# package "qlogo", installed here when missing (the benchmarks only).
set -euo pipefail
build=${1:-build-bench}
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Value benchmark" "$runner" "$measure"
if ! command -v QLogo-cli >/dev/null 2>&1; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq qlogo >/dev/null 2>&1 || true
fi
runs=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== Values: fib by recursion (median of $runs runs, peak resident memory)"
for n in 20 25; do
  printf 'to fib :n\nif :n < 2 [output :n]\noutput (fib :n - 1) + (fib :n - 2)\nend\nprint fib %d\nbye\n' \
    "$n" >"$work/fib$n.lg"
  "$measure" "fib$n-mivarelo" "$runs" 2 200 "$runner" --english \
    --define 'fib :n' 'if :n < 2 [output :n]
output fib(:n - 1) + fib(:n - 2)' -e "x := fib($n)"
  if command -v QLogo-cli >/dev/null 2>&1; then
    "$measure" "fib$n-qlogo" "$runs" 2 200 "$(command -v bash)" -c 'QLogo-cli <"$0"' "$work/fib$n.lg"
  else
    echo "fib$n-qlogo skipped: QLogo-cli is not installed"
  fi
done
