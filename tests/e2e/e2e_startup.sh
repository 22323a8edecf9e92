# The program starts, animates the string, pauses, and ends on Ctrl+Q.
source "$(dirname "$0")/lib.sh"
start_app "$1"

picture_changes || fail "the picture does not change while animating"

xdotool key ctrl+p
picture_settles || fail "the picture does not stop changing after pausing"
# Paused, nothing moves; a step would come every 100 ms.
shot "$E2E_DIR/c.png"
sleep 0.5
shot "$E2E_DIR/d.png"
images_differ "$E2E_DIR/c.png" "$E2E_DIR/d.png" && fail "the picture changes while paused"

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
