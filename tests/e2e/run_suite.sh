#!/usr/bin/env bash
# Runs black-box tests on a desktop of their own: run_suite.sh TEST_ID...
set -euo pipefail
cd "$(dirname "$0")"
source ./desktop.sh
start_desktop
trap stop_desktop EXIT
/usr/bin/python3 -m unittest -v "$@"
