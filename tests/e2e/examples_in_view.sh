#!/usr/bin/env bash
# Every example, in both languages, on a 1366 x 768 and a 1920 x 1080
# screen with a window manager: the part of the picture that the window
# shows (its --report) holds the whole painted area that the headless runner
# reports, and the program shows one window only.
set -euo pipefail
app=${1:?path of mivarelo}
runner=${2:?path of mivarelo-run}
examples=${3:?folder of the examples}
work=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
for screen in 1366x768 1920x1080; do
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=":$(head -n 1 "$work/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  for language in tr en; do
    for example in "$examples/$language"/*.elg; do
      english=()
      [ "$language" = en ] && english=(--english)
      state=$("$runner" --state "$example")
      report=$(HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb \
        "$app" --screenshot "$work/shot.png" --report "${english[@]}" "$example" 2>/dev/null |
        grep -E '^\{' || true)
      verdict=$(python3 - "$state" "$report" <<'PY'
import json, sys
state = json.loads(sys.argv[1])
report = json.loads(sys.argv[2]) if sys.argv[2] else {}
box, seen = state["painted_box"], report.get("visible")
if not seen:
    print("no report")
elif not (seen[0] <= box[0] and seen[1] <= box[1] and seen[2] >= box[2] and seen[3] >= box[3]):
    print(f"painted {box} not inside visible {seen}")
elif report.get("windows") != 1:
    print(f"{report.get('windows')} windows")
else:
    print("ok")
PY
)
      if [ "$verdict" = ok ]; then
        passed=$((passed + 1))
      else
        echo "FAIL: $screen $language/$(basename "$example"): $verdict"
        failed=$((failed + 1))
      fi
    done
  done
  kill "$wm" "$xvfb" 2>/dev/null || true
  wait "$wm" "$xvfb" 2>/dev/null || true
  wm="" xvfb=""
  rm -f "$work/display"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
