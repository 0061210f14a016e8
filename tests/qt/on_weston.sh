#!/usr/bin/env bash
# Runs a command as a Qt client of a headless Weston of its own: on_weston.sh COMMAND...
set -euo pipefail
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d /tmp/vertuno-weston-XXXXXX)
env -u DISPLAY weston --backend=headless-backend.so --socket=weston --idle-time=0 > "$XDG_RUNTIME_DIR/log" 2>&1 &
weston=$!
trap 'kill "$weston"; wait "$weston" 2> /dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 200); do [ -S "$XDG_RUNTIME_DIR/weston" ] && break; sleep 0.05; done
# Under the sanitizers: Qt's Wayland plugin keeps its globals for the life of the process, and
# only a full stack names the plugin for the leak suppression.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
env -u DISPLAY WAYLAND_DISPLAY=weston QT_QPA_PLATFORM=wayland "$@"
