#!/usr/bin/env bash
# Installs what building, playing and testing need, from Debian 12's packages alone.
set -euo pipefail
packages=(
  cmake g++ make pkg-config googletest libgtest-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
  fonts-liberation2
  xvfb xdotool imagemagick pulseaudio pulseaudio-utils python3 python3-pil
  clang libclang-rt-14-dev desktop-file-utils valgrind bc
)
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${packages[@]}"
