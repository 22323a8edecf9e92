# Exports from the Edit menu: Save Image at 1280x720 writes the frame the model
# draws at that size (not a scaled copy of the window's), and Save Animation
# writes a GIF of the asked size and frame count that starts with that frame.
source "$(dirname "$0")/lib.sh"
render=$2
lesson=$(cd "$(dirname "$0")/../../lessons" && pwd)/plucked-middle.velmora

saved() { [ -s "$1" ]; }

# Paused at t = 0, so every frame asked for is that one.
start_app "$1" "$lesson"
picture_settles || fail "the picture of a paused lesson keeps changing"
"$render" 1280 720 0 "$E2E_DIR/model.png" "$lesson" || fail "cannot draw the lesson"

xdotool key alt+e g
answer '画像の大きさ' Down Return
file_dialog '画像として保存' "$E2E_DIR/frame"
wait_for saved "$E2E_DIR/frame.png" || fail "no image was saved"
[ "$(identify -format '%wx%h' "$E2E_DIR/frame.png")" = 1280x720 ] || fail "the image is not 1280x720"
images_differ "$E2E_DIR/frame.png" "$E2E_DIR/model.png" && fail "the saved image is not the lesson's frame at 1280x720"

xdotool key alt+e m
answer '画像の大きさ' Down Return
answer 'コマ数' ctrl+a 8 Return
file_dialog 'アニメーションとして保存' "$E2E_DIR/period"
wait_for saved "$E2E_DIR/period.gif" || fail "no animation was saved"
[ "$(identify -format '%n\n' "$E2E_DIR/period.gif" | head -1)" = 8 ] || fail "the animation has not 8 frames"
convert "$E2E_DIR/period.gif[0]" "$E2E_DIR/first.png"
[ "$(identify -format '%wx%h' "$E2E_DIR/first.png")" = 1280x720 ] || fail "the animation is not 1280x720"
images_differ "$E2E_DIR/first.png" "$E2E_DIR/model.png" && fail "the animation does not start with the lesson's frame"

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
