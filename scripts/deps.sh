#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
# Both scripts/play and scripts/test call this; it is the one list.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  zlib1g-dev libpng-dev libjpeg62-turbo-dev
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-urw-base35
  libopenmpt-dev libsndfile1-dev
  libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xfonts-base xdotool imagemagick sox libsox-fmt-all
)

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
