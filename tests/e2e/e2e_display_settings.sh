# The display settings window as a user meets it: every choice of a row in the
# wave line list opens the line style dialog, also a second click on the same
# row and an arrow key on the last row; a guide-line count still being typed is
# what the next frame and the saved file use, even after the main window
# becomes active.
source "$(dirname "$0")/lib.sh"
start_app "$1"

# Ready once the picture moves: the main window is up and active.
picture_changes || fail "the string is not animating"

xdotool key ctrl+v
settings=$(wait_window '^表示設定$')
[ -n "$settings" ] || fail "the display settings window did not open"
xdotool windowfocus --sync "$settings"

# pixel_is WINDOW X Y COLOUR: whether the window shows that colour there.
pixel_is() {
  shot "$E2E_DIR/pixel.png" "$1" &&
    [ "$(convert "$E2E_DIR/pixel.png" -crop "1x1+$2+$3" +repage txt:- | tail -1 | awk '{print $3}')" = "$4" ]
}

no_pen_dialog() { ! xdotool search --onlyvisible --name '^線の設定$' >/dev/null 2>&1; }

# Presses what is given, then waits for the line style dialog and cancels it.
pen_dialog_after() {
  "$@"
  local dialog
  dialog=$(wait_window '^線の設定$')
  [ -n "$dialog" ] || fail "no line style dialog after: $*"
  xdotool windowfocus --sync "$dialog"
  xdotool key Escape
  wait_for no_pen_dialog || fail "the line style dialog did not close"
}

xdotool mousemove --window "$settings" 107 21 click 1   # the wave line styles tab
wait_for pixel_is "$settings" 150 130 '#FF0000' || fail "the wave line list did not come up"
xdotool mousemove --window "$settings" 100 129           # over row 5
pen_dialog_after xdotool click 1
pen_dialog_after xdotool click 1                          # the row already selected
pen_dialog_after xdotool key End
pen_dialog_after xdotool key Down       # no row after the last one

# Guide lines on, and 150 typed into the count box (range 2 to 99).
xdotool mousemove --window "$settings" 30 21 click 1   # the general tab
wait_for pixel_is "$settings" 48 159 '#FFFFFF' || fail "the general page did not come up"
wait_for pixel_is "$settings" 48 152 '#BCBCBC' || fail "the guide-line check box is not where expected"
xdotool mousemove --window "$settings" 48 159 click 1
xdotool mousemove --window "$settings" 55 193 click 1
xdotool key ctrl+a
xdotool type 150

# The main window becomes active; back to time 0 draws a frame, which the
# clipboard then holds.
xdotool windowfocus --sync "$MAIN_WIN"
xdotool key Delete ctrl+c
clip="$E2E_DIR/clip.png"
clipboard_png "$clip" || fail "no frame on the clipboard"
h=$(identify -format '%h' "$clip")
# The bottom row holds only the guide lines, one per division boundary.
lines=$(convert "$clip" -crop "x1+0+$((h - 1))" +repage txt:- | grep -ic '#C0C0C0')
[ "$lines" = 149 ] || fail "$lines guide lines drawn for a typed 150 (149 expected)"

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
grep -q '^NumOfVertLines=150\r\?$' "$E2E_DIR/Visual.ini" || fail "the typed count was not saved: $(grep NumOfVertLines "$E2E_DIR/Visual.ini")"
echo "1 passed, 0 failed"
