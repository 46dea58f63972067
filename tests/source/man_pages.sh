#!/usr/bin/env bash
# Every option that a program's --help lists is described in its manual
# page: $1 the folder of the pages, then pairs of program and page name.
set -euo pipefail
pages=$1
shift
status=0
while [ $# -ge 2 ]; do
  program=$1 page=$pages/$2.1
  shift 2
  [ -f "$page" ] || { echo "missing manual page $page"; status=1; continue; }
  # The page writes "--name" as "\-\-name"; groff must read it cleanly too.
  text=$(sed 's/\\-/-/g' "$page")
  for option in $(QT_QPA_PLATFORM=offscreen "$program" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    if ! grep -q -- "$option\b" <<<"$text"; then
      echo "$page does not describe $option"
      status=1
    fi
  done
  if command -v man >/dev/null &&
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null | grep .; then
    echo "$page has formatting warnings"
    status=1
  fi
done
exit $status
