# Sound: with the sound item on and the animation running, the desktop's output
# carries each mode at its harmonic of 220 Hz with its amplitude; a pause
# fades it to silence and lets the output go, as turning the item off does;
# the tone comes back with a new sound server, and fades out, without a
# click, when the program quits.
source "$(dirname "$0")/lib.sh"
tone_check=$3
lesson=$(cd "$(dirname "$0")/../../lessons" && pwd)/plucked-third.velmora

# A sound server of the scenario's own, whose only output (stereo at 48 kHz,
# as on most desktops) records; without one (a PipeWire desktop), the
# scenario is skipped.
command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed: skipped"; exit 77; }
export XDG_RUNTIME_DIR=$E2E_DIR/run HOME=$E2E_DIR/home
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"
start_server() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --load=module-native-protocol-unix \
    --load="module-null-sink sink_name=e2e rate=48000 channels=2" >"$E2E_DIR/pulse.log" 2>&1 &
  PULSE_PID=$!
  wait_for pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(cat "$E2E_DIR/pulse.log")"
}
start_server

"$1" --export-amplitudes "$E2E_DIR/amplitudes.csv" "$lesson" || fail "cannot export the lesson's amplitudes"

# record SECONDS FILE: what the output plays for that long, as mono floats.
record() {
  timeout "$1" parec -d e2e.monitor --latency-msec=50 --raw --format=float32le --channels=1 --rate=48000 >"$2" || true
}
playing() { [ -n "$(pactl list short sink-inputs)" ]; }

start_app "$1" "$lesson"
xdotool key alt+a n
sleep 0.5
playing && fail "the tone sounds while the lesson is paused"
xdotool key ctrl+p
wait_for playing || fail "no sound once the animation runs"
sleep 0.5
record 2 "$E2E_DIR/tone.f32"
"$tone_check" 48000 220 "$E2E_DIR/amplitudes.csv" <"$E2E_DIR/tone.f32" || fail "the tone is not the string's"

xdotool key ctrl+p
gone() { ! playing; }
wait_for gone || fail "the output is still held while paused"
record 2 "$E2E_DIR/paused.f32"
"$tone_check" silent <"$E2E_DIR/paused.f32" || fail "the tone goes on while paused"

xdotool key ctrl+p
wait_for playing || fail "no sound after the pause"
xdotool key alt+a n
wait_for gone || fail "the output is still held after the sound was turned off"

# The sound server goes away and comes back while the tone should sound.
xdotool key alt+a n
wait_for playing || fail "no sound after turning it on again"
kill -9 "$PULSE_PID"
wait "$PULSE_PID" 2>/dev/null || true
start_server
wait_for playing || fail "no sound once the sound server is back"

# Quitting fades the tone out: the output never jumps as a cut-off tone would.
sleep 0.5
record 2 "$E2E_DIR/quit.f32" &
recording=$!
sleep 0.7
xdotool key ctrl+q
wait "$recording"
"$tone_check" smooth 0.1 <"$E2E_DIR/quit.f32" || fail "the tone was cut off when the program quit"
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
