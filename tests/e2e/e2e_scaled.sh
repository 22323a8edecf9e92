# On a 1280 x 720 screen scaled by 2 and by 1.5, every window opens entirely on
# the screen, the window manager's frame included: the main window, the wave
# settings dialog, the amplitude monitor, the display settings window, the
# line style dialog and the About box; Qt's colour picker, which cannot fit at
# 2, at the screen's top-left corner. At 2 the main window as designed is
# taller than the screen.
source "$(dirname "$0")/lib.sh"

read -r SCREEN_W SCREEN_H < <(window_size "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')")
[ "$SCREEN_W $SCREEN_H" = "1280 720" ] || fail "the screen is $SCREEN_W x $SCREEN_H, not 1280 x 720"

# frame_geometry WINDOW: prints "X Y W H" of the window with its frame, in
# the screen's pixels.
frame_geometry() {
  xwininfo -id "$(frame_window "$1")" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
                                            /^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print x, y, w, h}'
}

on_screen() {
  local x y w h
  read -r x y w h < <(frame_geometry "$1")
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$SCREEN_W" ] && [ $((y + h)) -le "$SCREEN_H" ]
}

# opened TITLE WHAT: waits for the window and for its frame to lie on the screen.
opened() {
  local w
  w=$(wait_window "$1" "$MAIN_WIN")
  [ -n "$w" ] || fail "at scale $SCALE the $2 did not open"
  wait_for on_screen "$w" || fail "at scale $SCALE the $2 is at $(frame_geometry "$w") with its frame"
  echo "scale $SCALE: the $2 at $(frame_geometry "$w")"
  OPENED=$w
}

# Qt's colour picker cannot shrink to a 2x scaled 1280x720 screen; a window
# that does not fit goes to the screen's top-left corner instead.
on_screen_or_at_corner() {
  local x y w h
  read -r x y w h < <(frame_geometry "$1")
  if [ "$w" -le "$SCREEN_W" ] && [ "$h" -le "$SCREEN_H" ]; then
    on_screen "$1"
  else
    [ "$x" -ge 0 ] && [ "$x" -le 2 ] && [ "$y" -ge 0 ] && [ "$y" -le 2 ]
  fi
}

closed() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# close_with KEY TITLE: presses the key in the window and waits for it to go.
close_with() {
  xdotool windowfocus --sync "$OPENED"
  xdotool key "$1"
  wait_for closed "$2" || fail "at scale $SCALE the window '$2' did not close on $1"
}

activate_main() { xdotool windowactivate --sync "$MAIN_WIN"; }

start_wm
for SCALE in 2 1.5; do
  export QT_SCALE_FACTOR=$SCALE
  start_app "$1"
  wait_for on_screen "$MAIN_WIN" || fail "at scale $SCALE the main window is at $(frame_geometry "$MAIN_WIN") with its frame"
  echo "scale $SCALE: the main window at $(frame_geometry "$MAIN_WIN")"

  xdotool key ctrl+s
  opened '^波の設定$' "wave settings dialog"
  close_with Return '^波の設定$'

  activate_main
  xdotool key ctrl+m
  opened '^振幅モニタ$' "amplitude monitor"
  # Hidden again, as it stays on top of what the clicks below aim at.
  activate_main
  xdotool key ctrl+m
  wait_for closed '^振幅モニタ$' || fail "at scale $SCALE Ctrl+M did not hide the monitor"

  activate_main
  xdotool key ctrl+v
  opened '^表示設定$' "display settings window"
  settings=$OPENED
  # The axis line's style button, on the first page: 124, 90 as designed.
  xdotool windowactivate --sync "$settings"
  xdotool mousemove --window "$settings" "$(awk -v s="$SCALE" 'BEGIN {print int(124 * s)}')" \
    "$(awk -v s="$SCALE" 'BEGIN {print int(90 * s)}')" click 1
  opened '^線の設定$' "line style dialog"
  close_with Escape '^線の設定$'
  # The background colour button, just above it: 124, 58 as designed.
  xdotool windowactivate --sync "$settings"
  xdotool mousemove --window "$settings" "$(awk -v s="$SCALE" 'BEGIN {print int(124 * s)}')" \
    "$(awk -v s="$SCALE" 'BEGIN {print int(58 * s)}')" click 1
  picker=$(wait_window '^色を選択$' "$MAIN_WIN")
  [ -n "$picker" ] || fail "at scale $SCALE the colour picker did not open"
  wait_for on_screen_or_at_corner "$picker" ||
    fail "at scale $SCALE the colour picker is at $(frame_geometry "$picker") with its frame"
  echo "scale $SCALE: the colour picker at $(frame_geometry "$picker")"
  OPENED=$picker
  close_with Escape '^色を選択$'

  activate_main
  xdotool key alt+f a
  opened '^バージョン情報$' "About box"
  close_with Return '^バージョン情報$'

  activate_main
  xdotool key ctrl+q
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "at scale $SCALE the exit code was $EXIT_CODE"
done
echo "1 passed, 0 failed"
