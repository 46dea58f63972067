#!/usr/bin/env bash
# Installs the Debian packages that are missing: with "run" those that
# building and starting the program need, otherwise also those of the tests,
# the benchmarks and the package checks.
# Idempotent: when everything is present it only asks dpkg and returns.
#   scripts/install-deps.sh [run]
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev libqt6svg6
  fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev
  qt6-translations-l10n
)
if [ "${1:-}" != "run" ]; then
  packages+=(
    libbenchmark-dev
    locales
    xvfb xdotool x11-apps x11-utils python3 openbox
    dpkg-dev file appstream desktop-file-utils lintian
    poppler-utils librsvg2-bin
    clang libclang-rt-14-dev
    chromium
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# A Turkish locale lets the tests prove that number formatting ignores the
# process locale. Missing it only skips that one test.
if ! locale -a 2>/dev/null | grep -qi '^tr_TR'; then
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(tr_TR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^tr_TR.UTF-8 UTF-8' /etc/locale.gen || echo 'tr_TR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null 2>&1 || true
  fi
fi
