# The amplitude monitor as Ctrl+M first shows it is 219 x 331 pixels from edge
# to edge: the window itself on a bare display, the window manager's frame
# included on a desktop. A size the user gives it afterwards stays. The display
# settings window (Ctrl+V) is 270 x 310 from edge to edge on a desktop too.
source "$(dirname "$0")/lib.sh"

outer_is() { [ "$(outer_size "${2:-$MONITOR}")" = "$1" ]; }
size_is() { [ "$(window_size "$MONITOR")" = "$1" ]; }
monitor_shown() { xdotool search --onlyvisible --name '^振幅モニタ$' >/dev/null 2>&1; }
monitor_hidden() { ! monitor_shown; }

show_monitor() {
  xdotool key ctrl+m
  MONITOR=$(wait_window '^振幅モニタ$')
  [ -n "$MONITOR" ] || fail "Ctrl+M did not show the monitor"
}

start_app "$1"
show_monitor
outer_is "219 331" || fail "without a window manager the monitor is $(outer_size "$MONITOR"), not 219 331"
xdotool windowfocus --sync "$MAIN_WIN"
xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"

start_wm
start_app "$1"
show_monitor
wait_for outer_is "219 331" ||
  fail "under a window manager the monitor is $(outer_size "$MONITOR") with its frame, not 219 331"

xdotool windowsize "$MONITOR" 300 400
wait_for size_is "300 400" || fail "the monitor did not take the user's size: $(window_size "$MONITOR")"
# Hidden and shown again, it keeps the user's size; a change would come at once.
xdotool windowactivate --sync "$MAIN_WIN"
xdotool key ctrl+m
wait_for monitor_hidden || fail "Ctrl+M did not hide the monitor"
show_monitor
for _ in $(seq 1 10); do
  size_is "300 400" || fail "the monitor went from the user's 300 400 to $(window_size "$MONITOR")"
  sleep 0.1
done

xdotool windowactivate --sync "$MAIN_WIN"
xdotool key ctrl+v
SETTINGS=$(wait_window '^表示設定$')
[ -n "$SETTINGS" ] || fail "Ctrl+V did not show the display settings window"
wait_for outer_is "270 310" "$SETTINGS" ||
  fail "under a window manager the display settings window is $(outer_size "$SETTINGS") with its frame, not 270 310"

xdotool windowactivate --sync "$MAIN_WIN"
xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
