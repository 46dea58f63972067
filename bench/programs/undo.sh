#!/usr/bin/env bash
# Times the graphical mode's undo of 1,000 recorded lines in the desktop
# program's windows, offscreen.
set -euo pipefail
build=${1:-build-bench}
bench="$build/bin/undo_bench"
if [ ! -x "$bench" ]; then
  echo "Undo benchmark skipped: $bench has not been built." >&2
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== Graphical mode undo (median of 5 undos)"
HOME=$work QT_QPA_PLATFORM=offscreen "$bench" 2>/dev/null
