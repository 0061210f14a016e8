#!/usr/bin/env bash
# Installs what is missing, builds every variant and runs every test: the core alone without
# Qt, the unit and widget tests plain and under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the real game under a virtual X server with a silent sound card.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

echo "== The core alone, with Qt out of reach"
bash scripts/build.sh build-core -DVERTUNO_SHELL=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
ctest --test-dir build-core --output-on-failure -j2 --timeout 120

echo "== Unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer"
bash scripts/build.sh build-sanitize -DVERTUNO_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j2 --timeout 300 -LE e2e

echo "== Everything on the real build, the game itself under Xvfb"
bash scripts/build.sh build
source tests/e2e/desktop.sh
start_desktop
trap stop_desktop EXIT
ctest --test-dir build --output-on-failure --timeout 600
