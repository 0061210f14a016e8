#!/usr/bin/env bash
# Runs black-box tests on a desktop of their own: run_suite.sh TEST_ID... The suites live with
# the front end they prove (tests/qt, tests/win32) and share the helpers here and the scenario.
set -euo pipefail
cd "$(dirname "$0")"
export PYTHONPATH=$PWD:$PWD/../scenario:$PWD/../qt:$PWD/../win32${PYTHONPATH:+:$PYTHONPATH}
source ./desktop.sh
start_desktop
trap stop_desktop EXIT
/usr/bin/python3 -m unittest -v "$@"
