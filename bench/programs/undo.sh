#!/usr/bin/env bash
# Times the graphical mode's undo of 1,000 recorded lines in the desktop
# program's windows, offscreen.
set -euo pipefail
build=${1:-build-bench}
bench="$build/bin/undo_bench"
source "$(dirname "$0")/../built.sh"
require_built "Undo benchmark" "$bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== Graphical mode undo (median of 5 undos)"
HOME=$work QT_QPA_PLATFORM=offscreen "$bench" 2>/dev/null
