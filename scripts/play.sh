#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. The game alone is built, in a folder
# of its own, so the test framework is not needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" build-play -- vertuno
exec "$root/build-play/vertuno/vertuno"
