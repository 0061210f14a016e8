#!/usr/bin/env bash
# Installs what is missing, builds every variant and runs every test: the core's unit tests and
# the Win32 front end as Windows programs under Wine (which also proves the core builds with
# no Qt in reach), the core's unit tests under node and the machine's page in headless
# Chromium, the unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer, a
# minute of fuzzing, a million plays of the core, and the real game under virtual X servers
# with silent sound cards.
#
# The black-box suites mostly wait on the game, so they run side by side, each on a desktop of
# its own, while the other variants (the presets of CMakePresets.json, each named after its
# folder) build; those builds run at a lower priority, so the game under test keeps its timing.
# The variants that only prove build as unity builds without optimisation, which halves their
# processor time; the real game stays one file at a time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
started=$SECONDS
stage() { echo "== $1 (at $((SECONDS - started)) s)"; }

stage "Set-up"
bash scripts/setup.sh --test

stage "The real game, and the Win32 front end cross-built beside it"
# The cross builds fill the real build's quiet stretches (configuring, linking) at a lower
# priority: the core's tests and the probe, then the release exactly as build_windows.sh makes
# it for players, which the Windows suite plays and installs.
mkdir -p build-windows
setsid nice -n 10 bash -c 'bash scripts/build.sh build-windows -- unit_tests windows_tests win32_tests probe &&
  bash scripts/build_windows.sh' > build-windows/build.log 2>&1 &
windows_build=$!
# On any failure what runs in the background goes too.
background="-$windows_build"
trap 'kill -- $background 2> /dev/null || true' EXIT
bash scripts/build.sh build -- vertuno sounds icons package_files expected_look no_locks soak

stage "Black-box suites start, side by side"
e2e_log=build/e2e.log
setsid ctest --no-tests=error --test-dir build --output-on-failure --timeout 600 -L e2e -LE long -j3 > "$e2e_log" 2>&1 &
e2e=$!
background="$background -$e2e"  # the suites, their games and their desktops

stage "Fuzzing the totals-file load and the numeric reader for a minute, alongside"
nice -n 10 bash scripts/build.sh build-fuzz
corpus=$(mktemp -d)
cp tests/core/fuzz/corpus/* "$corpus"
nice -n 10 build-fuzz/totals_fuzzer -max_total_time="${VERTUNO_FUZZ_SECONDS:-60}" -print_final_stats=1 \
  "$corpus" > build-fuzz/fuzz.log 2>&1 &
fuzz=$!

stage "The core's unit tests and the Win32 front end as Windows programs, under Wine, alongside"
wait $windows_build || { cat build-windows/build.log; exit 1; }
windows_log=build-windows/suite.log
WINEPREFIX=$root/build-windows/wine WINEDEBUG=-all setsid nice -n 10 \
  ctest --no-tests=error --test-dir build-windows --output-on-failure --timeout 300 -LE long > "$windows_log" 2>&1 &
windows=$!
background="$background -$windows"

stage "Unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer, alongside"
# No optimisation and line tables only: the sanitizers need no more. The tests run beside what
# follows.
nice -n 10 bash scripts/build.sh build-sanitize -- unit_tests gui_tests posix_tests
sanitize_log=build-sanitize/suite.log
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 setsid nice -n 10 \
  ctest --no-tests=error --test-dir build-sanitize --output-on-failure --timeout 600 -j2 -LE 'e2e|long' \
  > "$sanitize_log" 2>&1 &
sanitize=$!
background="$background -$sanitize"

stage "The machine in a browser: its page built, then played in headless Chromium alongside"
nice -n 10 bash scripts/build_web.sh
# The page's suite mostly waits on the page (the demo on ~26 idle seconds, a take-over held for
# 10 s), so it runs beside the builds that follow, the shared scenario after it; one browser at a
# time, so that the black-box suites keep their pace.
web_log=build-web/suite.log
setsid /usr/bin/python3 -m unittest tests.web.test_page tests.web.test_scenario_page > "$web_log" 2>&1 &
web=$!
background="$background -$web"

stage "The core's unit tests compiled with emscripten, under node"
nice -n 10 bash scripts/build.sh build-web-tests -- unit_tests
nice -n 10 ctest --no-tests=error --test-dir build-web-tests --output-on-failure --timeout 300 -R unit_tests

stage "A million plays of the core"
nice -n 10 build/tests/core/soak 1000000

stage "Fuzzing ends"
wait $fuzz || { tail -40 build-fuzz/fuzz.log; exit 1; }
grep -E "^Done|number_of_executed_units" build-fuzz/fuzz.log
rm -rf "$corpus"

stage "The sanitizers' tests end"
wait $sanitize || { cat "$sanitize_log"; exit 1; }
grep -E "tests passed|Total Test time" "$sanitize_log"

stage "The Windows programs' tests end"
wait $windows || { cat "$windows_log"; exit 1; }
grep -E "tests passed|Total Test time" "$windows_log"

stage "The page's suite ends"
wait $web || { cat "$web_log"; exit 1; }
grep -E "^(Ran|OK)" "$web_log"

stage "Black-box suites end"
e2e_status=0
wait $e2e || e2e_status=$?
trap - EXIT
cat "$e2e_log"
stage "Done"
exit $e2e_status
