# Sourced by the end-to-end checks: start_display SIZE starts Xvfb with a
# screen of SIZE (e.g. 1366x768) and the openbox window manager on it, and
# sets DISPLAY, xvfb and wm; stop_display ends both. Xvfb picks a free
# display itself and writes its number once it accepts connections, which
# takes a while on a busy machine. A white root keeps the parts of the screen
# no program has painted out of pixel counts.
start_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1x24" -wr -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do [ -s "$number" ] && break; sleep 0.1; done
  [ -s "$number" ] || { echo "FAIL: Xvfb did not start"; rm -f "$number"; exit 1; }
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}

stop_display() {
  kill "${wm:-}" "${xvfb:-}" 2>/dev/null || true
  wait "${wm:-}" "${xvfb:-}" 2>/dev/null || true
  wm="" xvfb=""
}
