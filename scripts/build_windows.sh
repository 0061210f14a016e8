#!/usr/bin/env bash
# Builds the Windows game, build-windows-release/vertuno/vertuno.exe with its two sounds: one
# executable on the Win32 API alone, cross-built with mingw-w64; no other build comes first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh --test
bash scripts/build.sh build-windows-release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DVERTUNO_QT=OFF -DBUILD_TESTING=OFF -- vertuno_exe
echo "Built: build-windows-release/vertuno/ (vertuno.exe, click.wav, sound.wav)"
