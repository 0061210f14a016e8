#!/usr/bin/env bash
# The Windows release against the smallest Win32 window built with the same flags, started in
# turn under Wine on a virtual desktop, with the floor between them (that window with the game's
# manifest, icon and face): start-up and memory ratios measured side by side in this run, and the
# sizes of what a player downloads:  bench/windows.sh [--quick]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
starts=10
[ "${1:-}" = "--quick" ] && starts=4
bash "$root/scripts/build_windows.sh" -DVERTUNO_BENCH=ON > /dev/null
cmake --build "$root/build-windows-release" --target minimal_window --target pictured_window > /dev/null
source "$root/tests/e2e/desktop.sh"
start_desktop
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2> /dev/null; stop_desktop; rm -rf "$WINEPREFIX"' EXIT
# One server for every start, as on a desktop where Windows is already up.
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1
/usr/bin/python3 "$root/bench/windows_start_up.py" "$starts" "$root/build-windows-release"
