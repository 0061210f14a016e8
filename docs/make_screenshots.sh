#!/usr/bin/env bash
# Photographs the game on a virtual desktop for the documentation: the cabinet, a winning play
# from chase to count-out, the demo, the side windows, and the cabinet at twice the resolution.
# Needs a build in build/ and the packages of scripts/setup.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/docs
source "$root/tests/e2e/desktop.sh"
start_desktop
trap stop_desktop EXIT
work=$(mktemp -d)
cp -r "$root/build/vertuno" "$work/game"
rm -f "$work/game/data1.ini"

convert -size 1024x768 gradient:'#25404f'-'#5f8f86' "$work/desktop.png"
display -window root "$work/desktop.png" &
sleep 1

shoot() {  # shoot NAME X Y W H
  import -window root -crop "$4x$5+$2+$3" +repage "$out/$1.png"
}

"$work/game/vertuno" &
game=$!
sleep 2
win=$(xdotool search --onlyvisible --name '^777 - Игра Вертуно$' | head -1)
xdotool windowmove "$win" 60 40
sleep 0.5
shoot cabinet 20 20 200 400

# A forced 777: the chase, the landed digits with the banner, the count-out.
xdotool mousemove 104 68 click --repeat 2 --delay 90 1
sleep 0.3
xdotool mousemove 167 180 click 1
sleep 0.6
shoot win-1-chase 20 20 200 400
sleep 1.0
shoot win-2-landed 20 20 200 400
sleep 3.2
shoot win-3-counting 20 20 200 400
xdotool mousemove 156 268 mousedown 1
sleep 1.5
xdotool mouseup 1
sleep 0.3
shoot win-4-paid 20 20 200 400

# The side windows.
xdotool mousemove 120 200 click 1
sleep 0.8
shoot info-window 337 245 350 280
xdotool mousemove 90 250 click 3
sleep 0.5
xdotool key Down Down Return
sleep 0.8
shoot about-window 330 320 362 130
kill "$game"
wait "$game" 2> /dev/null || true

# The demo, started from its hidden spot.
display -window root "$work/desktop.png" &
sleep 1
"$work/game/vertuno" &
game=$!
sleep 2
win=$(xdotool search --onlyvisible --name '^777 - Игра Вертуно$' | head -1)
xdotool windowmove "$win" 60 40
xdotool mousemove 184 380 click --repeat 2 --delay 90 1
sleep 2.5
shoot demo 20 20 200 400
kill "$game"
wait "$game" 2> /dev/null || true

# Twice the resolution.
display -window root "$work/desktop.png" &
sleep 1
QT_SCALE_FACTOR=2 "$work/game/vertuno" &
game=$!
sleep 2
win=$(xdotool search --onlyvisible --name '^777 - Игра Вертуно$' | head -1)
xdotool windowmove "$win" 40 4
sleep 0.5
shoot cabinet-2x 0 0 320 760
kill "$game"
wait "$game" 2> /dev/null || true
rm -rf "$work"
