#!/usr/bin/env bash
# Takes the README's pictures of the desktop program with its --screenshot
# option under Xvfb at 1366 x 768 with a window manager (the offscreen
# platform when Xvfb is missing): the
# Turkish version of the flower in Turkish, the English version of the tree
# in English, a program with errors, and the graphical mode in both
# languages, and a run held Step by Step inside a procedure call with the
# variable inspector, in both languages; and the class gallery's page in a
# browser.
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

# The lines that buttons of the graphical mode write, in each interface
# language: a pen width, colours, a square procedure turned around, an arc.
"$runner" --max-lines 0 --save "$work/graphical-turkish.elg" \
  --define 'kare' 'tekrar 4 [ ileri uzunluk sağ 90 ]' \
  -e 'setkalemkalınlık  3' -e 'değiştirkalemrenk [ 30 110 220 ] ' \
  -e 'kare' -e 'sağ 30' -e 'kare' -e 'sağ 30' -e 'kare' -e 'sağ 30 ileri uzunluk' \
  -e 'değiştirkalemrenk [ 220 60 40 ] ' -e 'tekrar 36 [ sağ 10  ileri 6.7 ] ' \
  -e 'sol 90 ileri uzunluk' >/dev/null
"$runner" --english --max-lines 0 --save "$work/graphical-english.elg" \
  --define 'square' 'repeat 4 [ forward steplength right 90 ]' \
  -e 'setpenwidth  3' -e 'setpencolor [ 30 110 220 ] ' \
  -e 'square' -e 'right 30' -e 'square' -e 'right 30' -e 'square' -e 'right 30 forward steplength' \
  -e 'setpencolor [ 220 60 40 ] ' -e 'repeat 36 [ right 10  forward 6.7 ] ' \
  -e 'left 90 forward steplength' >/dev/null

# A square procedure called twice: twelve steps stop inside the second call's
# repeat, with the running command marked and the call's argument shown.
"$runner" --max-lines 0 --save "$work/step-turkish.elg" \
  --define 'kare :boy' 'tekrar 4 [ileri :boy sağ 90]' \
  -e 'değiştirkalemrenk [30 110 220]' -e 'kare 120' -e 'sağ 30' -e 'kare 90' >/dev/null
"$runner" --english --max-lines 0 --save "$work/step-english.elg" \
  --define 'square :size' 'repeat 4 [forward :size right 90]' \
  -e 'setpencolor [220 60 40]' -e 'square 120' -e 'right 30' -e 'square 90' >/dev/null

# One 1366 x 768 screen with a window manager for all pictures, as a small
# classroom screen shows the program.
xvfb="" wm=""
if command -v Xvfb >/dev/null 2>&1; then
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$work/display")"
  if command -v openbox >/dev/null 2>&1; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    sleep 1
  fi
  platform=xcb
else
  platform=offscreen
fi
trap 'kill $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

shoot() {
  local picture=$1
  shift
  local status=0
  HOME=$work QT_QPA_PLATFORM=$platform "$app" --screenshot "$out/$picture" "$@" || status=$?
  [ "$status" -le 1 ] || { echo "Could not take $picture" >&2; exit 1; }
  echo "Wrote $out/$picture"
}

shoot flower-turkish.png "$root/examples/tr/flower.elg"
shoot tree-english.png --english "$root/examples/en/tree.elg"
shoot errors.png "$work/errors.elg"
shoot graphical-turkish.png --graphical "$work/graphical-turkish.elg"
shoot graphical-english.png --graphical --english "$work/graphical-english.elg"
shoot step-turkish.png --step 12 "$work/step-turkish.elg"
shoot step-english.png --step 12 --english "$work/step-english.elg"

# The class gallery of the English examples and a learner's program with
# errors, as headless Chromium shows the page, when Chromium is installed.
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -n "$browser" ]; then
  mkdir -p "$work/class"
  cp "$root"/examples/en/*.elg "$work/class/"
  cp "$work/errors.elg" "$work/class/learner-errors.elg"
  "$runner" --gallery "$work/gallery" "$work/class" --english 2>/dev/null || true
  HOME=$work "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --window-size=1366,1000 --screenshot="$out/gallery-english.png" \
    "file://$work/gallery/index.html" >/dev/null 2>&1
  echo "Wrote $out/gallery-english.png"
else
  echo "Chromium is not installed: the gallery picture is left as it is" >&2
fi
