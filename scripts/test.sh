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
  ctest --test-dir build-sanitize --output-on-failure --timeout 600 -LE 'e2e|long'

echo "== Fuzzing the totals-file load and the numeric reader for a minute"
CXX=clang++ bash scripts/build.sh build-fuzz -DVERTUNO_SHELL=OFF -DVERTUNO_TESTS=OFF -DVERTUNO_FUZZ=ON \
  -DVERTUNO_SANITIZE=ON
corpus=$(mktemp -d)
cp tests/fuzz/corpus/* "$corpus"
build-fuzz/totals_fuzzer -max_total_time="${VERTUNO_FUZZ_SECONDS:-60}" -print_final_stats=1 "$corpus" \
  > build-fuzz/fuzz.log 2>&1 || { tail -40 build-fuzz/fuzz.log; exit 1; }
grep -E "^Done|number_of_executed_units" build-fuzz/fuzz.log
rm -rf "$corpus"

echo "== Everything on the real build, the game itself under Xvfb"
bash scripts/build.sh build
source tests/e2e/desktop.sh
start_desktop
trap stop_desktop EXIT
ctest --test-dir build --output-on-failure --timeout 600
