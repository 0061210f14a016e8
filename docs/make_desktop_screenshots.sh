#!/usr/bin/env bash
# Photographs the game under each desktop it is proven on: openbox and xfwm4 with the info
# window open beside the cabinet (the managers frame the side window, never the cabinet),
# xcompmgr compositing a bare server, GNOME's mutter (its info window drawing its own title bar)
# and Weston's own desktop on Wayland, and the Windows front end under Wine (from
# scripts/build_windows.sh) with its info window and its menu.
# Needs a build in build/ and the packages of scripts/setup.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/docs
source "$root/tests/e2e/desktop.sh"
start_desktop
work=$(mktemp -d)
manager=
trap '[ -n "$manager" ] && kill -- -"$manager" 2> /dev/null; stop_desktop; rm -rf "$work"' EXIT
cp -r "$root/build/vertuno" "$work/game"
rm -f "$work/game/data1.ini"

convert -size 1024x768 gradient:'#25404f'-'#5f8f86' "$work/desktop.png"
display -window root "$work/desktop.png" &
sleep 1

wait_for() {  # wait_for TITLE: the id of the first shown window with exactly this title
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" 2> /dev/null | head -1 | grep . && return
    sleep 0.1
  done
  echo "no window titled $1" >&2
  return 1
}

# The screen as the desktop NAME shows it, then the game and its manager end.
photograph_and_end() {
  import -window root -crop 560x440+20+20 +repage "$out/desktop-$1.png"
  kill "$game"
  wait "$game" 2> /dev/null || true
  kill -- -"$manager" 2> /dev/null || true
  wait "$manager" 2> /dev/null || true
  manager=
}

shoot_under() {  # shoot_under NAME COMMAND...: the cabinet and the info window under a manager
  local name=$1
  shift
  setsid "$@" > /dev/null 2>&1 &
  manager=$!
  sleep 2
  "$work/game/vertuno" &
  local game=$! win
  win=$(wait_for '777 - Игра Вертуно')
  xdotool windowmove "$win" 40 40
  sleep 0.5
  xdotool mousemove 100 200 click 1  # the board's hot spot opens the counters
  xdotool windowmove "$(wait_for 'Информация')" 200 60
  sleep 1
  photograph_and_end "$name"
  xprop -root -remove _NET_SUPPORTING_WM_CHECK
}

shoot_under openbox openbox --sm-disable
shoot_under xfwm4 dbus-run-session -- xfwm4 --sm-client-disable
shoot_under xcompmgr xcompmgr

# The Win32 front end under Wine, on a prefix of its own.
if [ -x "$root/build-windows-release/vertuno/vertuno.exe" ]; then
  cp -r "$root/build-windows-release/vertuno" "$work/windows"
  export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  display -window root "$work/desktop.png" &
  sleep 1
  /usr/lib/wine/wine64 "$work/windows/vertuno.exe" &
  game=$!
  win=$(wait_for '777 - Игра Вертуно')
  xdotool windowmove "$win" 40 40
  sleep 0.5
  xdotool mousemove 100 200 click 1
  xdotool windowmove "$(wait_for 'Информация')" 200 60
  sleep 0.5
  xdotool mousemove 70 280 click 3
  sleep 1
  import -window root -crop 560x440+20+20 +repage "$out/desktop-wine.png"
  xdotool key Escape
  kill "$game"
  wait "$game" 2> /dev/null || true
  /usr/lib/wine/wineserver -k || true
fi

# GNOME's compositor on Wayland, nested in the X server: it draws no title bars, so the info
# window draws its own. The first window it places puts the rules panel at (85, 230).
mkdir -m 700 "$work/mutter"
XDG_RUNTIME_DIR=$work/mutter setsid dbus-run-session -- mutter --wayland --nested --no-x11 \
  --wayland-display=vertuno > "$work/mutter.log" 2>&1 &
manager=$!
for _ in $(seq 100); do [ -S "$work/mutter/vertuno" ] && break; sleep 0.1; done
env -u DISPLAY XDG_RUNTIME_DIR="$work/mutter" WAYLAND_DISPLAY=vertuno QT_QPA_PLATFORM=wayland \
  "$work/game/vertuno" &
game=$!
sleep 3
xdotool mousemove 85 230 click 1
sleep 1
photograph_and_end mutter

# Wayland: Weston's desktop shell, photographed by its own screenshooter.
export XDG_RUNTIME_DIR=$work/wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
env -u DISPLAY weston --backend=headless-backend.so --use-pixman --debug --socket=vertuno \
  --idle-time=0 --width=400 --height=500 > "$work/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/vertuno" ] && break; sleep 0.1; done
env -u DISPLAY WAYLAND_DISPLAY=vertuno QT_QPA_PLATFORM=wayland "$work/game/vertuno" &
game=$!
sleep 3
(cd "$work" && env -u DISPLAY WAYLAND_DISPLAY=vertuno weston-screenshooter)
mv "$work"/wayland-screenshot-*.png "$out/desktop-weston.png"
kill "$game" "$weston"
wait "$game" "$weston" 2> /dev/null || true
