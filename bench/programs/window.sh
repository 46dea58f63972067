#!/usr/bin/env bash
# Times the desktop program: the spiral and tree programs run in the window
# (default options, turtle visible) against the same programs headless, the
# first frame, the stop latency on an endless loop, the longest pause
# between two frames, and the memory of the window with a finished spiral,
# with Keep Drawing in View and without it.
# Medians of 5 runs, taken with the program's own --report under Xvfb.
set -euo pipefail
build=${1:-build-bench}
here=$(cd "$(dirname "$0")" && pwd)
app="$build/bin/mivarelo"
runner="$build/bin/mivarelo-run"
measure="$build/bin/bench_measure"
source "$(dirname "$0")/../built.sh"
require_built "Window benchmarks" "$app" "$runner" "$measure"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$runner" --english --max-lines 0 --save "$work/spiral.elg" -e 'repeat 20000 [fd repcount rt 91]'
"$runner" --english --max-lines 0 --save "$work/endless.elg" -e 'repeat 1000000000 [fd 1 rt 1]'

source "$here/../display.sh"

# Prints the median of each figure over 5 runs of the window, from the JSON
# line of --report.
window_figures() {
  for _ in 1 2 3 4 5; do
    HOME=$work display "$app" --screenshot "$work/shot.png" --report "$@" 2>/dev/null |
      grep -E '^\{' || true
  done | python3 -c '
import json, sys, statistics
figures = {}
for line in sys.stdin:
    for name, value in json.loads(line).items():
        if isinstance(value, int):
            figures.setdefault(name, []).append(value)
for name, values in figures.items():
    print(name, statistics.median(values))'
}

# Keep Drawing in View, on by default, is turned off in the settings of the
# runs that go without it.
keep_in_view() {
  mkdir -p "$work/.config/Mivarelo"
  printf '[General]\nKeepDrawingInView=%s\n' "$1" >"$work/.config/Mivarelo/Mivarelo.conf"
}

headless_ms() {
  python3 - "$runner" "$1" <<'PY'
import statistics, subprocess, sys, time
times = []
for _ in range(5):
    start = time.monotonic()
    subprocess.run([sys.argv[1], "--no-wait", sys.argv[2]], check=True, capture_output=True)
    times.append((time.monotonic() - start) * 1000)
print(round(statistics.median(times)))
PY
}

echo "== Window (medians of 5 runs)"
for program in spiral:"$work/spiral.elg" tree:"$here/tree.elg"; do
  name=${program%%:*}
  file=${program#*:}
  headless=$(headless_ms "$file")
  figures=$(window_figures "$file")
  run=$(awk '$1 == "run_ms" { print $2 }' <<<"$figures")
  limit=$(python3 -c "print(round(1.5 * $headless + 300))")
  printf '%-8s window run %6s ms   headless process %5s ms   target %5s ms\n' \
    "$name" "$run" "$headless" "$limit"
  awk '$1 == "first_frame_ms" { printf "%-8s first frame %s ms (target 500)\n", "'"$name"'", $2 }
       $1 == "longest_frame_gap_ms" { printf "%-8s longest frame gap %s ms (target 50)\n", "'"$name"'", $2 }' \
    <<<"$figures"
done
figures=$(window_figures --stop-after 1000 "$work/endless.elg")
awk '$1 == "stop_latency_ms" { printf "endless  stop latency %s ms (target 100)\n", $2 }
     $1 == "longest_frame_gap_ms" { printf "endless  longest frame gap %s ms (target 50)\n", $2 }' \
  <<<"$figures"
HOME=$work display "$measure" window-spiral 5 2 150 "$app" --screenshot "$work/shot.png" "$work/spiral.elg"
keep_in_view false
echo "== Window spiral without Keep Drawing in View (target: with it at most 5 % slower)"
HOME=$work display "$measure" window-spiral 5 2 150 "$app" --screenshot "$work/shot.png" "$work/spiral.elg"
keep_in_view true
