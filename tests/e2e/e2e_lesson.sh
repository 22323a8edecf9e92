# Lessons: one named on the command line opens at start, Ctrl+Shift+S saves
# what is shown through the file dialog, and Ctrl+O opens another; each time
# the picture is the very frame the model draws for the lesson.
source "$(dirname "$0")/lib.sh"
render=$2

# lesson FILE MODES RULE TIME SHOWALL: a paused lesson.
lesson() {
  {
    printf '[lesson]\nversion=1\nmodes=%s\nperiod=80\namplitude=%s\n' "$2" "$3"
    for i in 1 2 3 5 6 7 9 10 11; do echo "point$i=none"; done
    printf 'point4=0.6\npoint8=-0.3\ntime=%s\nzoom=1.5\ninterval=100\nquality=120\nshowall=%s\npaused=true\n' "$4" "$5"
  } >"$1"
}
lesson "$E2E_DIR/first.velmora" 5 drawn 37 false
lesson "$E2E_DIR/second.velmora" 2 harmonic -5 true

# shows_lesson FILE TIME: the frame on the clipboard after Ctrl+C is the
# lesson's frame at that time.
shows_lesson() {
  echo none | xclip -selection clipboard
  xdotool key ctrl+c
  clipboard_png "$E2E_DIR/clip.png" || fail "no image on the clipboard"
  local size diff_px
  size=$(identify -format '%w %h' "$E2E_DIR/clip.png")
  "$render" $size "$2" "$E2E_DIR/model.png" "$1" || fail "cannot draw $1"
  diff_px=$(compare -metric AE "$E2E_DIR/clip.png" "$E2E_DIR/model.png" null: 2>&1 || true)
  [ "$diff_px" = "0" ] || fail "the frame differs from $(basename "$1")'s at t = $2 in $diff_px pixels"
}

start_app "$1" first.velmora
picture_settles || fail "the picture of a paused lesson keeps changing"
shows_lesson "$E2E_DIR/first.velmora" 37

xdotool key ctrl+shift+s
file_dialog 'レッスンを保存' "$E2E_DIR/saved"
saved_has() { [ -f "$E2E_DIR/saved.velmora" ] && grep -qx "$1" "$E2E_DIR/saved.velmora"; }
wait_for saved_has 'paused=true' || fail "the lesson was not saved with its extension"
for line in version=1 modes=5 period=80 amplitude=drawn point4=0.6 point8=-0.3 point5=none time=37 zoom=1.5 \
  quality=120 showall=false; do
  saved_has "$line" || fail "the saved lesson lacks $line"
done

xdotool key ctrl+o
file_dialog 'レッスンを開く' "$E2E_DIR/second.velmora"
picture_settles || fail "the picture does not settle after opening"
shows_lesson "$E2E_DIR/second.velmora" -5

xdotool key ctrl+o
file_dialog 'レッスンを開く' "$E2E_DIR/saved.velmora"
shows_lesson "$E2E_DIR/first.velmora" 37

xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
