#!/usr/bin/env bash
# Takes the README's pictures of the desktop program with its --screenshot
# option under Xvfb (the offscreen platform when Xvfb is missing): the flower
# in Turkish, the tree in English, and a program with errors.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
app="$build/bin/mivarelo"
runner="$build/bin/mivarelo-run"
out="$root/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A small program with three mistakes a learner makes: a glued word that is
# repaired, an unknown word inside a list and a misspelt command.
"$runner" --max-lines 0 --save "$work/errors.elg" \
  --define 'kare :boy' 'tekrar 4 [ileri :boy sag 90]' \
  -e 'kalemrengi [200 40 40]' -e 'kare 120' -e 'tekrar 3 [sağ 120 ; yuruu 50]' \
  -e 'ilerii 80' -e 'kare 60' >/dev/null

shoot() {
  local picture=$1
  shift
  local status=0
  if command -v xvfb-run >/dev/null 2>&1; then
    HOME=$work QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$app" --screenshot "$out/$picture" "$@" || status=$?
  else
    HOME=$work QT_QPA_PLATFORM=offscreen "$app" --screenshot "$out/$picture" "$@" || status=$?
  fi
  [ "$status" -le 1 ] || { echo "Could not take $picture" >&2; exit 1; }
  echo "Wrote $out/$picture"
}

shoot flower-turkish.png "$root/examples/flower.elg"
shoot tree-english.png --english "$root/examples/tree.elg"
shoot errors.png "$work/errors.elg"
