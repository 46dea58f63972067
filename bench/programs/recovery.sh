#!/usr/bin/env bash
# Times the recovery copy of a 10,000-line program.
set -euo pipefail
build=${1:-build-bench}
bench="$build/bin/recovery_bench"
if [ ! -x "$bench" ]; then
  echo "Recovery benchmark skipped: $bench has not been built." >&2
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== Recovery copy (median of 21 writes)"
"$bench" "$work"
