#!/usr/bin/env bash
# End-to-end check of the desktop program with real key events under Xvfb:
# type a program into the command window, run it with F2 and see the turtle
# draw; then start an endless loop, stop it with F8 and see the command
# window come back while the program keeps answering.
set -euo pipefail
program=${1:?path of mivarelo}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts
# connections, which takes a while on a busy machine. A white root keeps
# the parts of the screen the program has not painted yet out of the count
# of black pixels.
Xvfb -displayfd 3 -screen 0 1280x800x24 -wr -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
app=$!

command_window() { xdotool search --onlyvisible --name '^Komut Penceresi$' 2>/dev/null | head -1 || true; }
wait_for_command_window() {
  for _ in $(seq 100); do
    win=$(command_window)
    [ -n "$win" ] && return 0
    sleep 0.1
  done
  echo "FAIL: the command window did not appear"; cat "$work/app.log"; exit 1
}
# A click inside a window gives it the keyboard, as a user would do it.
focus() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --sync $((X + 200)) $((Y + 60)) click 1
  sleep 0.3
}
black_now() { xwd -root -silent >"$work/screen.xwd"; python3 "$here/count_black.py" "$work/screen.xwd"; }
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

wait_for_command_window
before=$(black)
focus "$win"
xdotool type --delay 15 'repeat 4 [fd 100 lt 90]'
xdotool key F2
sleep 1
wait_for_command_window
after=$(black)
drawn=$((after - before))
if [ "$drawn" -lt 350 ]; then
  echo "FAIL: F2 drew $drawn black pixels, a square of side 100 has about 400"; exit 1
fi
echo "ok: F2 ran the typed program ($drawn pixels drawn)"

focus "$win"
xdotool key ctrl+a
xdotool type --delay 15 'repeat 1000000000 [fd 1 rt 1]'
xdotool key F2
sleep 1
if [ -n "$(command_window)" ]; then echo "FAIL: the command window stayed up during the run"; exit 1; fi
main=$(xdotool search --onlyvisible --name '^Mivarelo$' | head -1)
focus "$main"
xdotool key F8
wait_for_command_window
kill -0 "$app" || { echo "FAIL: the program ended"; exit 1; }
echo "ok: F8 stopped the endless loop and the command window came back"
echo "2 passed, 0 failed"
