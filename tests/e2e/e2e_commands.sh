# Keys as a user presses them: rewind and single steps pause the animation, the
# copy puts the very frame the model draws on the system clipboard, and the
# settings dialog opens and applies on Enter.
source "$(dirname "$0")/lib.sh"
render=$2
start_app "$1"
picture_changes || fail "the picture does not change while animating"

xdotool key Delete   # back to time 0, paused
xdotool key F2       # one frame forward: t = 1
picture_settles || fail "the picture does not stop changing after F2"
shot "$E2E_DIR/t1a.png"
sleep 0.5
shot "$E2E_DIR/t1b.png"
images_differ "$E2E_DIR/t1a.png" "$E2E_DIR/t1b.png" && fail "the animation runs after F2"

xdotool key ctrl+c
clipboard_png "$E2E_DIR/clip.png" || fail "no image on the clipboard"
size=$(identify -format '%w %h' "$E2E_DIR/clip.png")
"$render" $size 1 "$E2E_DIR/model.png"
diff_px=$(compare -metric AE "$E2E_DIR/clip.png" "$E2E_DIR/model.png" null: 2>&1 || true)
[ "$diff_px" = "0" ] || fail "clipboard frame differs from the model's frame at t = 1 in $diff_px pixels"

cp "$E2E_DIR/t1b.png" "$E2E_DIR/before.png"
xdotool key F2
wait_for picture_differs_from_before || fail "F2 did not step"

xdotool key ctrl+s
dialog=$(wait_window '波の設定')
[ -n "$dialog" ] || fail "the settings dialog did not open"
xdotool windowfocus --sync "$dialog"
xdotool key Return
dialog_closed() { ! xdotool search --onlyvisible --name '波の設定' >/dev/null 2>&1; }
wait_for dialog_closed || fail "Enter did not close the settings dialog"
# Closing the dialog resumes the animation.
xdotool windowfocus --sync "$MAIN_WIN"
picture_changes || fail "the animation did not resume after the settings dialog"

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
