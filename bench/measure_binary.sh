#!/usr/bin/env bash
# Measures the real program in a virtual display: CPU use while animating and
# while paused, time to the first frame, and peak memory at 999 modes, quality
# 1000, every mode shown. Prints "name value" lines.
# usage: measure_binary.sh VELMORA FIRST_FRAME_PROBE
set -euo pipefail
app=$1
probe=$2
export QT_QPA_PLATFORM=xcb

if [ -z "${MEASURE_INSIDE_X:-}" ]; then
  MEASURE_INSIDE_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill -9 ${pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$app" "$work/velmora"

for i in 1 2 3 4 5; do
  echo "first_frame_ms $("$probe" "$work/velmora" 2>/dev/null)"
done

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

(cd "$work" && exec ./velmora >/dev/null 2>&1) &
pid=$!
win=$(xdotool search --sync --onlyvisible --name '^Velmora$' | head -1)
xdotool windowfocus --sync "$win"
sleep 1
t0=$(cpu_ticks $pid); sleep 10; t1=$(cpu_ticks $pid)
echo "cpu_animating_percent $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f", 100*d/hz/10}')"
xdotool key ctrl+p
sleep 1
t0=$(cpu_ticks $pid); sleep 10; t1=$(cpu_ticks $pid)
echo "cpu_paused_percent $(awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN{printf "%.2f", 100*d/hz/10}')"

# 999 modes through the settings dialog, quality 1000 through its box, show-all.
xdotool key ctrl+s
xdotool search --sync --onlyvisible --name '波の設定' >/dev/null
sleep 0.3
xdotool key ctrl+a
xdotool type 999
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$win"
xdotool key F5
xdotool search --sync --onlyvisible --name '精度設定' >/dev/null
sleep 0.3
xdotool key ctrl+a
xdotool type 1000
xdotool key Return
sleep 0.3
xdotool windowfocus --sync "$win"
xdotool key ctrl+a
xdotool windowsize --sync "$win" 1280 720 2>/dev/null || true
sleep 4
echo "peak_rss_mb $(awk '/VmHWM/ {printf "%.1f", $2/1024}' "/proc/$pid/status")"
xdotool key ctrl+q
wait $pid || true
