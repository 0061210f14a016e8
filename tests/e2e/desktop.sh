# A desktop for the real game: a virtual X server and a PulseAudio server whose only sound
# card is a null sink, so what the game plays can be recorded from the sink's monitor.
# Source it, then call start_desktop and stop_desktop.

start_desktop() {
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1024x768x24 -ac -nolisten tcp > /tmp/vertuno-xvfb.log 2>&1 &
  VERTUNO_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done

  export XDG_RUNTIME_DIR PULSE_SERVER
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/vertuno-runtime-XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
  # The speaker is open to every local user, so a game run as an ordinary user is heard too.
  VERTUNO_SPEAKER_DIR=$(mktemp -d /tmp/vertuno-speaker-XXXXXX)
  chmod 755 "$VERTUNO_SPEAKER_DIR"
  PULSE_SERVER=unix:$VERTUNO_SPEAKER_DIR/socket
  pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$VERTUNO_SPEAKER_DIR/socket" \
    --load="module-null-sink sink_name=vertuno_speaker" \
    > /tmp/vertuno-pulseaudio.log 2>&1 &
  VERTUNO_PULSE_PID=$!
  for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink vertuno_speaker
  export VERTUNO_SPEAKER_MONITOR=vertuno_speaker.monitor
}

stop_desktop() {
  [ -n "${VERTUNO_PULSE_PID:-}" ] && kill "$VERTUNO_PULSE_PID" 2> /dev/null
  [ -n "${VERTUNO_XVFB_PID:-}" ] && kill "$VERTUNO_XVFB_PID" 2> /dev/null
  wait 2> /dev/null
  [ -n "${XDG_RUNTIME_DIR:-}" ] && rm -rf "$XDG_RUNTIME_DIR"
  [ -n "${VERTUNO_SPEAKER_DIR:-}" ] && rm -rf "$VERTUNO_SPEAKER_DIR"
  return 0
}
