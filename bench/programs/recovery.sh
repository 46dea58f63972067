#!/usr/bin/env bash
# Times the recovery copy of a 10,000-line program.
set -euo pipefail
build=${1:-build-bench}
bench="$build/bin/recovery_bench"
source "$(dirname "$0")/../built.sh"
require_built "Recovery benchmark" "$bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== Recovery copy (median of 21 writes)"
"$bench" "$work"
