#!/usr/bin/env bash
# Builds and runs every benchmark on a virtual desktop and prints one table of figures measured
# side by side in this run:  bench/run.sh [--quick]
# The full run takes about half an hour (10,000 waits of 51 ms, a minute of play per wait).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quick=0
[ "${1:-}" = "--quick" ] && quick=1
build=$root/build-bench
bash "$root/scripts/build.sh" build-bench > /dev/null
source "$root/tests/e2e/desktop.sh"
start_desktop
trap stop_desktop EXIT
work=$(mktemp -d)
cp -r "$build/vertuno" "$work/game"
rm -f "$work/game/data1.ini"

short_waits=10000 long_waits=1000 play_seconds=60 starts=10
if [ $quick = 1 ]; then short_waits=500 long_waits=50 play_seconds=20 starts=4; fi

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Processor seconds per second over a stretch of normal-speed plays, a click every 1.7 s.
cpu_during_play() {
  "$work/game/$1" > /dev/null 2>&1 &
  local pid=$! window
  window=$(xdotool search --sync --onlyvisible --name '^777 - Игра Вертуно$' | head -1)
  xdotool windowmove "$window" 0 0
  sleep 1
  local before after start end
  before=$(ticks $pid)
  start=$(date +%s.%N)
  local until=$(( $(date +%s) + play_seconds ))
  while [ "$(date +%s)" -lt $until ]; do
    xdotool mousemove 107 140 click 1
    sleep 1.7
  done
  after=$(ticks $pid)
  end=$(date +%s.%N)
  kill $pid
  wait $pid 2> /dev/null || true
  echo "scale=5; ($after - $before) / $(getconf CLK_TCK) / ($end - $start)" | bc
}

# Milliseconds from launch to the window on screen, and the peak memory in MiB, as medians.
start_up() {
  local times=() memories=() i
  for i in $(seq $starts); do
    local begin pid
    begin=$(date +%s%N)
    "$@" > /dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --pid $pid > /dev/null
    times+=($(( ($(date +%s%N) - begin) / 1000000 )))
    sleep 0.5
    memories+=($(awk '/VmHWM/ {print $2}' "/proc/$pid/status"))
    kill $pid
    wait $pid 2> /dev/null || true
  done
  local t m
  t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (starts + 1) / 2 ))p")
  m=$(printf '%s\n' "${memories[@]}" | sort -n | sed -n "$(( (starts + 1) / 2 ))p")
  echo "$t $(echo "scale=1; $m / 1024" | bc)"
}

echo "Running the benchmarks side by side..." >&2
blocking=$(cpu_during_play vertuno)
spinning=$(cpu_during_play spinning_game)
read -r game_ms game_mib < <(start_up "$work/game/vertuno")
read -r minimal_ms minimal_mib < <(start_up "$build/bench/minimal_window")
read -r bare_ms bare_mib < <(start_up "$build/bench/minimal_window" --no-text)
waits=$("$build/bench/wait_timing" $short_waits $long_waits 2> /dev/null)
plays=$("$build/bench/play_timing" 20 2> /dev/null)
core=$("$build/bench/core_bench" 1000000)
sounds=$("$build/bench/sound_timing" "$build/vertuno" 2> /dev/null)

cat <<TABLE
| measure | this game | yardstick | ratio | target |
|---|---|---|---|---|
| CPU during normal play (CPU-s per s) | $blocking | spinning wait: $spinning | $(echo "scale=1; $spinning / ($blocking + 0.00001)" | bc)x less | <= 0.03, >= 30x less |
| start-up to the window on screen (ms, median of $starts) | $game_ms | minimal Qt window with a text: $minimal_ms | $(echo "scale=2; $game_ms / $minimal_ms" | bc) | <= 1.3 |
| peak memory (MiB, median of $starts) | $game_mib | minimal Qt window with a text: $minimal_mib | $(echo "scale=2; $game_mib / $minimal_mib" | bc) | <= 1.3 |
| start-up, against a window with no text at all | $game_ms | $bare_ms | $(echo "scale=2; $game_ms / $bare_ms" | bc) | |
| peak memory, against a window with no text at all | $game_mib | $bare_mib | $(echo "scale=2; $game_mib / $bare_mib" | bc) | |

$waits

$plays

$core

$sounds
TABLE
rm -rf "$work"
