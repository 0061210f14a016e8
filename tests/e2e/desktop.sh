# A desktop for the real game: a virtual X server and a PulseAudio server whose only sound
# card is a null sink, so what the game plays can be recorded from the sink's monitor. Each
# caller gets its own pair, so suites run side by side without meeting.
# Source it, then call start_desktop and stop_desktop.

start_desktop() {
  VERTUNO_DESKTOP_DIR=$(mktemp -d /tmp/vertuno-desktop-XXXXXX)
  # The speaker is open to every local user, so a game run as an ordinary user is heard too.
  chmod 755 "$VERTUNO_DESKTOP_DIR"
  # Xvfb picks a free display itself and says which once it accepts connections. It must not
  # reset when its last client leaves: a game connecting while it resets is turned away, and a
  # suite that looks with xdotool between a game's starts leaves it clientless again and again.
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -ac -nolisten tcp -noreset \
    > "$VERTUNO_DESKTOP_DIR/xvfb.log" 2>&1 &
  VERTUNO_XVFB_PID=$!
  local display
  read -r -t 20 -u "$displayfd" display
  exec {displayfd}>&-
  export DISPLAY=":$display"

  export XDG_RUNTIME_DIR="$VERTUNO_DESKTOP_DIR/runtime" PULSE_SERVER="unix:$VERTUNO_DESKTOP_DIR/socket"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$VERTUNO_DESKTOP_DIR/socket" \
    --load="module-null-sink sink_name=vertuno_speaker" \
    > "$VERTUNO_DESKTOP_DIR/pulseaudio.log" 2>&1 &
  VERTUNO_PULSE_PID=$!
  for _ in $(seq 100); do pactl info > /dev/null 2>&1 && break; sleep 0.05; done
  pactl set-default-sink vertuno_speaker
  export VERTUNO_SPEAKER_MONITOR=vertuno_speaker.monitor
}

stop_desktop() {
  [ -n "${VERTUNO_PULSE_PID:-}" ] && kill "$VERTUNO_PULSE_PID" 2> /dev/null
  [ -n "${VERTUNO_XVFB_PID:-}" ] && kill "$VERTUNO_XVFB_PID" 2> /dev/null
  wait 2> /dev/null
  [ -n "${VERTUNO_DESKTOP_DIR:-}" ] && rm -rf "$VERTUNO_DESKTOP_DIR"
  return 0
}
