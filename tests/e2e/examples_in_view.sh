#!/usr/bin/env bash
# Every example, in both languages, on a 1366 x 768 and a 1920 x 1080
# screen with a window manager: the part of the picture that the window
# shows (its --report) holds the whole painted area that the headless runner
# reports, and the program shows one window only.
set -euo pipefail
app=${1:?path of mivarelo}
runner=${2:?path of mivarelo-run}
examples=${3:?folder of the examples}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
# shellcheck source=tests/e2e/display.sh
. "$here/display.sh"
cleanup() {
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
for screen in 1366x768 1920x1080; do
  start_display "$screen"
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
  stop_display
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
