#!/usr/bin/env bash
# Builds the machine for a browser: build-web/vertuno/ is a static folder any web server serves,
#   python3 -m http.server -d build-web/vertuno 8000
# Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" build-web "$@" -- vertuno_web
