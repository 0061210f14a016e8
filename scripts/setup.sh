#!/usr/bin/env bash
# Installs what building and playing need, from Debian 12's packages alone, and only what is
# missing: with everything there it asks nothing of apt, and needs no root.
#   setup.sh          the game: its build tools and libraries
#   setup.sh --test     and what the tests need too: the test framework, the virtual desktops and
#                       window managers, the Windows cross compiler and Wine, the sanitizers,
#                       valgrind, the packaging checks, emscripten and a headless Chromium
#   setup.sh --release  only what the Windows release needs (scripts/build_windows.sh): the
#                       cross compiler, the artwork's renderers, NSIS and zip, and the host
#                       compiler the sound synthesiser is built with
set -euo pipefail
if [ "${1:-}" = "--release" ]; then
  packages=(cmake g++ make g++-mingw-w64-x86-64 librsvg2-bin imagemagick nsis zip)
else
  packages=(
    cmake g++ make pkg-config
    libpulse-dev libsndfile1-dev libpulse0 libsndfile1
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins
    fonts-liberation2 libxcb1-dev libwayland-dev wayland-protocols
  )
fi
if [ "${1:-}" = "--test" ]; then
  packages+=(
    googletest libgtest-dev
    xvfb xdotool x11-utils imagemagick pulseaudio pulseaudio-utils python3 python3-pil python3-xlib
    clang libclang-rt-14-dev desktop-file-utils valgrind bc
    g++-mingw-w64-x86-64 librsvg2-bin nsis zip wine64 openbox xfwm4 xcompmgr picom weston qt6-wayland sway xwayland kwin-x11
    kwin-wayland mutter lintian appstream dpkg-dev bindfs
    emscripten chromium chromium-driver python3-selenium
  )
fi
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2> /dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing what is missing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo > /dev/null && sudo -v; then
  as_root=(sudo)
else
  echo "These Debian packages are missing and installing them needs root: ${missing[*]}" >&2
  echo "Run this script as root, or as a user who may use sudo." >&2
  exit 1
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
