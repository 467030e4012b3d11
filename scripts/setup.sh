#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need.
# Only missing packages are installed, so a second run is quick and offline.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fontconfig
  xvfb xauth x11-apps imagemagick
  shared-mime-info desktop-file-utils libxml2-utils xdg-utils
  libarchive-dev zlib1g-dev
  qt6-image-formats-plugins libavif-dev libtiff-dev
  dpkg-dev lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "All build packages are present."
fi
