#!/usr/bin/env bash
# Installs the Debian packages QEN needs. Safe to run again: only missing packages are fetched.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-translations-l10n
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
  libeigen3-dev libsleef-dev libdxflib-dev libcli11-dev
  python3-ezdxf python3-matplotlib qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgdal-dev gdal-bin python3-gdal
  libgtest-dev libgmock-dev
  xvfb xauth fonts-wqy-microhei fonts-dejavu-core
  clang-14 libclang-rt-14-dev lld clang-format locales
  libxlsxwriter-dev python3-openpyxl poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ ${#missing[@]} -ne 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A comma-decimal locale for the locale test run of scripts/test.sh.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "setup: generating the de_DE.UTF-8 locale" >&2
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
