#!/usr/bin/env bash
# Builds the Windows release with one command, cross-built with mingw-w64 and packed with
# Debian's NSIS; no other build comes first. In build-windows-release/release/:
#   vertuno-VERSION-windows-x64.zip  the program's folder: vertuno.exe, its two sounds, the
#                                    licence and a short readme;
#   vertuno-VERSION-setup.exe        the installer (for every user or for one, Start menu,
#                                    desktop, Apps & features).
# Their dates are the last commit's, so two builds of one commit give the same files. Further
# cmake options pass on: build_windows.sh [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh --release
bash scripts/build.sh build-windows-release "$@" -- vertuno_exe windows_release
ls -l build-windows-release/release/*.zip build-windows-release/release/*-setup.exe
