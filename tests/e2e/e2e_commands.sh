# Keys as a user presses them: rewind and single steps pause the animation, the
# copy puts the very frame the model draws on the system clipboard, and the
# settings dialog opens and applies on Enter.
source "$(dirname "$0")/lib.sh"
render=$2
start_app "$1"
sleep 0.4

xdotool key Delete   # back to time 0, paused
xdotool key F2       # one frame forward: t = 1
sleep 0.3
shot "$E2E_DIR/t1a.png"
sleep 0.5
shot "$E2E_DIR/t1b.png"
images_differ "$E2E_DIR/t1a.png" "$E2E_DIR/t1b.png" && fail "the animation runs after F2"

xdotool key ctrl+c
sleep 0.5
xclip -selection clipboard -t TARGETS -o | grep -q image/png || fail "no image on the clipboard"
xclip -selection clipboard -t image/png -o >"$E2E_DIR/clip.png"
size=$(identify -format '%w %h' "$E2E_DIR/clip.png")
"$render" $size 1 "$E2E_DIR/model.png"
diff_px=$(compare -metric AE "$E2E_DIR/clip.png" "$E2E_DIR/model.png" null: 2>&1 || true)
[ "$diff_px" = "0" ] || fail "clipboard frame differs from the model's frame at t = 1 in $diff_px pixels"

xdotool key F2
sleep 0.3
shot "$E2E_DIR/t2.png"
images_differ "$E2E_DIR/t1b.png" "$E2E_DIR/t2.png" || fail "F2 did not step"

xdotool key ctrl+s
dialog=$(xdotool search --sync --onlyvisible --name '波の設定' | head -1)
[ -n "$dialog" ] || fail "the settings dialog did not open"
sleep 0.3
xdotool key Return
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '波の設定' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '波の設定' >/dev/null 2>&1 && fail "Enter did not close the settings dialog"
# Closing the dialog resumes the animation.
xdotool windowfocus --sync "$MAIN_WIN"
sleep 0.3
shot "$E2E_DIR/r1.png"
sleep 0.5
shot "$E2E_DIR/r2.png"
images_differ "$E2E_DIR/r1.png" "$E2E_DIR/r2.png" || fail "the animation did not resume after the settings dialog"

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
