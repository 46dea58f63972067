# Sourced by the window benchmarks: display COMMAND... runs the command on a
# virtual screen of 1366 x 768 under xvfb-run, or on the offscreen platform
# when xvfb-run is missing.
display() {
  if command -v xvfb-run >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1366x768x24" "$@"
  else
    QT_QPA_PLATFORM=offscreen "$@"
  fi
}
