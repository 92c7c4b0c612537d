#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-documentation-tools libqt6help6 libqt6sql6-sqlite qt6-qpa-plugins
  libxml2-dev libxslt1-dev liblua5.4-dev
  libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core qt6-translations-l10n
  desktop-file-utils appstream groff-base
  dpkg-dev debhelper lintian poppler-utils clang-format
)
if [ "${1:-}" = "--gui-check" ]; then
  PACKAGES+=(xvfb dbus at-spi2-core python3-pyatspi imagemagick)
fi
# The libFuzzer build (scripts/fuzz.sh) needs clang and its runtime.
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
