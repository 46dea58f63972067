#!/usr/bin/env bash
# End-to-end check of the desktop program with real key events under Xvfb
# and a window manager, on a 1366 x 768 screen: type a program into the
# command panel, run it with F2 and see the turtle draw; start an endless
# loop and stop it with F8 while the program keeps answering; F1 opens the
# help above the main window. A second start switches to graphical mode
# with Ctrl+T, where the keypad draws at once. A third is killed with unsaved
# work, which the fourth brings back.
set -euo pipefail
program=${1:?path of mivarelo}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=tests/e2e/display.sh
. "$here/display.sh"
start_display 1366x768

# A fresh start with a new home folder; "again" keeps the one before.
start_app() {
  if [ "${1:-}" != again ]; then
    rm -rf "$work/home"
    mkdir -p "$work/home"
  fi
  HOME=$work/home XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
  app=$!
  for _ in $(seq 150); do
    win=$(xdotool search --onlyvisible --name '^Mivarelo$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAIL: the main window did not appear"; cat "$work/app.log"; exit 1; }
  sleep 2
}
stop_app() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}
# A click into the command panel's editor, near the window's foot, gives it
# the keyboard, as a user would do it.
click_editor() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove --sync $((X + 300)) $((Y + HEIGHT - 110)) click 1
  sleep 0.3
}
# Black pixels of the picture's part of the screen: the left part of the
# window above its foot, where the docks, the blinking cursor and the
# status bar's changing texts are not.
black_now() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xwd -root -silent >"$work/screen.xwd"
  python3 "$here/count_black.py" "$work/screen.xwd" "$X" "$Y" $((X + WIDTH - 420)) $((Y + HEIGHT - 240))
}
# The count once the screen has stopped changing: windows that have just
# appeared may still be painting.
black() {
  local last now
  last=$(black_now)
  for _ in $(seq 50); do
    sleep 0.2
    now=$(black_now)
    [ "$now" = "$last" ] && break
    last=$now
  done
  echo "$last"
}

start_app
before=$(black)
click_editor
xdotool type --delay 40 'repeat 4 [fd 100 lt 90]'
xdotool key F2
sleep 1
after=$(black)
drawn=$((after - before))
if [ "$drawn" -lt 350 ]; then
  echo "FAIL: F2 drew $drawn black pixels, a square of side 100 has about 400"; exit 1
fi
echo "ok: F2 ran the typed program ($drawn pixels drawn)"

click_editor
xdotool key ctrl+a
xdotool type --delay 40 'repeat 1000000000 [fd 1 rt 1]'
xdotool key F2
sleep 1
xdotool key F8
kill -0 "$app" || { echo "FAIL: the program ended"; exit 1; }
first=$(black)
sleep 1
[ "$(black_now)" = "$first" ] || { echo "FAIL: the picture still changes after F8"; exit 1; }
echo "ok: F8 stopped the endless loop and the program goes on"

xdotool key F1
help=""
for _ in $(seq 50); do
  help=$(xdotool search --onlyvisible --name '^Mivarelo - ' 2>/dev/null | head -1 || true)
  [ -n "$help" ] && break
  sleep 0.1
done
[ -n "$help" ] || { echo "FAIL: F1 opened no help window"; exit 1; }
sleep 0.5
# The stacking list runs from the bottom window to the top one.
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2)
main_at=-1; help_at=-1; k=0
for id in $stacking; do
  [ $((id)) -eq "$win" ] && main_at=$k
  [ $((id)) -eq "$help" ] && help_at=$k
  k=$((k + 1))
done
if [ "$help_at" -le "$main_at" ]; then
  echo "FAIL: the help window is not above the main window ($help_at, $main_at)"; exit 1
fi
echo "ok: F1 opened the help above the main window"
stop_app

# Graphical mode: right after Ctrl+T the keypad's 8 moves the turtle forward
# by the step length (40) three times: a line of 120 pixels, in view.
start_app
xdotool windowactivate --sync "$win" 2>/dev/null || true
xdotool key ctrl+t
sleep 1.5
before=$(black)
for _ in 1 2 3; do xdotool key KP_8; sleep 0.4; done
after=$(black)
drawn=$((after - before))
if [ "$drawn" -lt 90 ] || [ "$drawn" -gt 200 ]; then
  echo "FAIL: Ctrl+T and the keypad drew $drawn black pixels, not a line of 120"; xwd -root -silent > /tmp/e2e-fail.xwd; cat "$work/app.log"; exit 1
fi
echo "ok: Ctrl+T, then the keypad drew a line of $drawn pixels in view"
stop_app

# Unsaved work survives kill -9: within 31 seconds a recovery copy holds the
# typed line, and the next start offers it; Enter restores it and F2 draws.
start_app
click_editor
xdotool type --delay 40 'repeat 4 [fd 100 lt 90] ; zebra'
sleep 31
copy=$(grep -rl zebra "$work/home/.local/share/Mivarelo/Mivarelo/recovery" 2>/dev/null | head -1 || true)
[ -n "$copy" ] || { echo "FAIL: no recovery copy holds the typed line after 31 s"; exit 1; }
kill -9 "$app"
wait "$app" 2>/dev/null || true
app=""
start_app again
question=""
for _ in $(seq 50); do
  question=$(xdotool search --onlyvisible --name '^(Recover a program|Programı kurtar)$' 2>/dev/null | head -1 || true)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] || { echo "FAIL: the next start did not offer the recovery copy"; exit 1; }
xdotool windowactivate --sync "$question" 2>/dev/null || true
xdotool key Return
sleep 0.5
click_editor
xdotool key F2
sleep 1
# The picture was empty at the start: all its black is the restored square.
drawn=$(black)
if [ "$drawn" -lt 350 ]; then
  echo "FAIL: the restored program drew $drawn black pixels, not its square"; xwd -root -silent > /tmp/e2e-fail.xwd; exit 1
fi
echo "ok: a recovery copy brought the typed line back after kill -9"
echo "5 passed, 0 failed"
