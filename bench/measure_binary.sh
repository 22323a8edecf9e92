#!/usr/bin/env bash
# Measures the real program in virtual displays, driving it with keys as a user
# would, and prints "name value" lines, one for each run of a figure:
#   first_frame_ms         start-up until the string shows
#   cpu_animating_percent  CPU while animating as started (100 ms interval)
#   cpu_paused_percent     CPU while paused
#   cpu_showall_percent    CPU at 100 ms, 999 modes of amplitude 1/n, quality 1000,
#                          every mode shown, 1280×720 picture
#   frames_per_s           frames at a 1 ms interval with those settings and picture
#   peak_rss_mb            peak memory with those settings and picture
#   peak_rss_4k_mb         the same at quality 4000 in a 3840×2160 picture
# and the checks that the figures were taken as described:
#   animating_steps_per_s, showall_steps_per_s   frames per second while CPU was measured
#   picture_showall, picture_peak_rss, picture_peak_rss_4k
#       "width height red-pixels" of the frame measured (red: the modes are
#       shown; tens of thousands of pixels at 1/n, a few hundred at the
#       equal amplitudes a fresh start has)
# The time readout is read through the time dialog and the clipboard; frames
# are counted as the time it advanced by, one step a frame.
# usage: measure_binary.sh VELMORA FIRST_FRAME_PROBE CLIPBOARD_PROBE
set -euo pipefail
app=$1
probe=$2
clip=$3
export QT_QPA_PLATFORM=xcb

case "${MEASURE_INSIDE_X:-}" in
  "")
    # Start-up on a screen of ordinary size: the probe grabs the whole screen.
    MEASURE_INSIDE_X=startup xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@" || true
    # Everything else on one that holds a 3840×2160 picture with its window.
    MEASURE_INSIDE_X=running xvfb-run -a -s "-screen 0 4000x2400x24 -noreset" bash "$0" "$@"
    exit
    ;;
  startup)
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
    cp "$app" "$dir/velmora"
    for i in 1 2 3 4 5; do
      echo "first_frame_ms $(timeout 60 "$probe" timeout 30 "$dir/velmora" 2>/dev/null)"
    done
    exit
    ;;
esac

work=$(mktemp -d)
runner=
trap '[ -n "$runner" ] && kill "$runner" 2>/dev/null; rm -rf "$work"' EXIT

# The picture as started: the window's designed client area.
DesignWidth=527
DesignHeight=346
chrome_w=
chrome_h=

now_ns() { date +%s%N; }

# On-CPU time of all the program's threads, in nanoseconds.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f", s}'; }

cpu_percent() { # seconds
  local c0 c1 w0 w1
  c0=$(cpu_ns)
  w0=$(now_ns)
  sleep "$1"
  c1=$(cpu_ns)
  w1=$(now_ns)
  awk -v c=$((c1 - c0)) -v w=$((w1 - w0)) 'BEGIN { printf "%.2f", 100 * c / w }'
}

# Starts a fresh copy, with no settings file, and focuses its main window.
start_program() {
  local dir
  dir=$(mktemp -d -p "$work")
  cp "$app" "$dir/velmora"
  (cd "$dir" && exec timeout 600 ./velmora >/dev/null 2>&1) &
  runner=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' | head -1)
  pid=$(xdotool getwindowpid "$win")
  xdotool windowfocus --sync "$win"
  if [ -z "$chrome_w" ]; then
    eval "$(xdotool getwindowgeometry --shell "$win")"
    chrome_w=$((WIDTH - DesignWidth))
    chrome_h=$((HEIGHT - DesignHeight))
  fi
  sleep 1
}

stop_program() {
  xdotool key ctrl+q
  wait "$runner" || true
  runner=
}

focus_main() {
  sleep 0.3
  xdotool windowfocus --sync "$win"
}

# Opens a dialog with a key, waits for its title, puts the text into its
# focused field and confirms.
enter_in_dialog() { # key title text
  xdotool key "$1"
  timeout 10 xdotool search --sync --onlyvisible --name "$2" >/dev/null
  sleep 0.3
  xdotool key ctrl+a
  xdotool type "$3"
  xdotool key Return
  focus_main
}

# The time readout, through the time dialog and the clipboard. The dialog
# pauses the animation and leaves it paused.
read_time() {
  timeout 10 xdotool search --sync --onlyvisible --name '^時刻設定$' >/dev/null
  sleep 0.2
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  local got
  got=$(timeout 20 "$clip" 2>/dev/null || true)
  xdotool key Escape
  focus_main
  case $got in
    "text "*) echo "${got#text }" ;;
    *) echo "?" ;;
  esac
}

time_now() {
  xdotool key ctrl+t
  read_time
}

# "width height red-pixels" of the present frame, copied with Ctrl+C.
frame_check() {
  xdotool key ctrl+c
  sleep 0.5
  local got
  got=$(timeout 30 "$clip" 2>/dev/null || true)
  case $got in
    "image "*) echo "${got#image }" ;;
    *) echo "0 0 0" ;;
  esac
}

# Moves the window into the screen and sizes it for a picture of that size.
set_picture() { # width height
  timeout 5 xdotool windowmove --sync "$win" 0 0 2>/dev/null || true
  timeout 5 xdotool windowsize --sync "$win" $(($1 + chrome_w)) $(($2 + chrome_h)) 2>/dev/null || true
  sleep 0.5
}

# 999 modes with amplitudes 1/n, as in the frame benchmarks, through the wave
# settings dialog (which restarts the animation): the rule is the item after
# the first, the one a fresh start has. Then the quality through its box, and
# every mode shown.
set_showall() { # quality
  xdotool key ctrl+s
  timeout 10 xdotool search --sync --onlyvisible --name '波の設定' >/dev/null
  sleep 0.3
  xdotool key ctrl+a
  xdotool type 999
  xdotool key Tab Tab Down Return
  focus_main
  enter_in_dialog F5 '精度設定' "$1"
  xdotool key ctrl+a
  sleep 0.5
}

# Steps per second between two time readouts taken some nanoseconds apart;
# "?" if either could not be read.
rate() { # t0 t1 ns
  awk -v t0="$1" -v t1="$2" -v w="$3" 'BEGIN {
    if (t0 !~ /^-?[0-9]+$/ || t1 !~ /^-?[0-9]+$/ || w <= 0) print "?"
    else printf "%.1f\n", (t1 - t0) / (w / 1e9)
  }'
}

# Frames per second over some seconds from a pause; leaves it paused. The
# clock runs from before the key that starts the animation until after the
# one that stops it, so the delivery of the keys counts against the rate.
steps_per_s() { # seconds
  local t0 t1 w0 w1
  t0=$(time_now)
  w0=$(now_ns)
  xdotool key ctrl+p
  sleep "$1"
  xdotool key ctrl+t
  w1=$(now_ns)
  t1=$(read_time)
  rate "$t0" "$t1" $((w1 - w0))
}

# CPU over several windows while animating from a pause; prints the figures
# under the name given, then the frame rate over all of them.
cpu_animating() { # name rate-name
  local t0 t1 w0 w1 i
  t0=$(time_now)
  w0=$(now_ns)
  xdotool key ctrl+p
  sleep 1
  for i in 1 2 3 4 5; do
    echo "$1 $(cpu_percent 3)"
  done
  xdotool key ctrl+t
  w1=$(now_ns)
  t1=$(read_time)
  echo "$2 $(rate "$t0" "$t1" $((w1 - w0)))"
}

# As started, then paused, then every mode shown in a 1280×720 picture at
# 100 ms and at 1 ms a frame.
start_program
cpu_animating cpu_animating_percent animating_steps_per_s
sleep 1
for i in 1 2 3 4 5; do
  echo "cpu_paused_percent $(cpu_percent 2)"
done
set_picture 1280 720
read -r w h _ <<<"$(frame_check)"
if [ "$w" -gt 0 ] && { [ "$w" -ne 1280 ] || [ "$h" -ne 720 ]; }; then
  chrome_w=$((chrome_w + 1280 - w))
  chrome_h=$((chrome_h + 720 - h))
  set_picture 1280 720
fi
set_showall 1000
echo "picture_showall $(frame_check)"
cpu_animating cpu_showall_percent showall_steps_per_s
enter_in_dialog ctrl+i 'バル設定' 1
for i in 1 2 3 4 5; do
  echo "frames_per_s $(steps_per_s 3)"
done
stop_program

# Peak memory, each run from a fresh start. The frame is checked after the
# figure is read: the copy on the clipboard takes memory too.
peak_rss() { # width height quality name
  start_program
  set_picture "$1" "$2"
  set_showall "$3"
  sleep 4
  echo "$4 $(awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")"
  echo "picture_${4%_mb} $(frame_check)"
  stop_program
}
for i in 1 2 3; do
  peak_rss 1280 720 1000 peak_rss_mb
done
for i in 1 2 3; do
  peak_rss 3840 2160 4000 peak_rss_4k_mb
done
