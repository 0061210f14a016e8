#!/usr/bin/env bash
# Builds the machine for a browser: build-web/vertuno/ is a static folder any web server serves,
#   python3 -m http.server -d build-web/vertuno 8000
# Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# emscripten's optimiser loads Debian's node modules.
export NODE_PATH=/usr/share/nodejs
bash "$root/scripts/build.sh" "${VERTUNO_WEB_BUILD:-$root/build-web}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DVERTUNO_QT=OFF -DBUILD_TESTING=OFF "$@" -- vertuno_web
