# Sourced by the benchmarks: require_built WHAT TOOL... ends the sourcing
# script with a note when one of the tools has not been built, so that a
# build without the benchmarks skips them instead of failing.
require_built() {
  local what=$1
  shift
  local tool
  for tool in "$@"; do
    if [ ! -x "$tool" ]; then
      echo "$what skipped: $tool has not been built." >&2
      exit 0
    fi
  done
}
