# Visual.ini as the user meets it: a first run leaves the default file beside
# the program; a file with a bad colour brings up the error box, and the
# program still starts and ends normally.
source "$(dirname "$0")/lib.sh"

expected="$E2E_DIR/expected.ini"
{
  printf '[general]\n'
  printf '%s\n' BGColor=clWhite AxisWidth=1 AxisColor=clSilver AxisStyle=0 MainWaveWidth=2 \
    MainWaveColor=clBlack MainWaveStyle=0 VertLineWidth=1 VertLineColor=clSilver VertLineStyle=0 \
    VisibleVertLines=0 NumOfVertLines=2 DefaultWidth=1 DefaultColor=clRed DefaultStyle=0
  for k in $(seq 1 20); do printf '\n[wave%d]\nWidth=1\nColor=clRed\nStyle=0\n' "$k"; done
} >"$expected"

start_app "$1"
sleep 0.3
xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ -f "$E2E_DIR/Visual.ini" ] || fail "no Visual.ini after the first run"
diff -u "$expected" "$E2E_DIR/Visual.ini" || fail "Visual.ini differs from the default file"

# A bad colour: the error box comes first, on its own.
sed -i 's/^BGColor=clWhite$/BGColor=xyz/' "$E2E_DIR/Visual.ini"
(cd "$E2E_DIR" && exec ./velmora >"$E2E_DIR/out.log" 2>&1) &
APP_PID=$!
box=$(wait_window '^Velmora$')
[ -n "$box" ] || fail "no error box"
sleep 0.5
main=$(xdotool search --onlyvisible --name '^Velmora$' | wc -l)
[ "$main" = 1 ] || fail "the main window came before the error box was answered"
shot "$E2E_DIR/box.png" "$box"
[ "$(identify -format '%w' "$E2E_DIR/box.png")" -lt 500 ] || fail "the first window is not a small box"
xdotool windowfocus --sync "$box"
xdotool key Return
MAIN_WIN=$(wait_window '^Velmora$' "$box")
[ -n "$MAIN_WIN" ] || fail "the program did not go on after the error box"
xdotool windowfocus --sync "$MAIN_WIN"
xdotool key ctrl+q
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after the error box"
grep -q '^BGColor=clWhite$' "$E2E_DIR/Visual.ini" || fail "the saved file does not hold a valid background"
echo "1 passed, 0 failed"
