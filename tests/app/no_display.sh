# Without a display the program says so in one line and ends with exit code 1,
# whether no display is named or the one named cannot be reached.
set -u
program=$1
for display in "" ":97"; do
  err=$(mktemp)
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>"$err" >/dev/null
  code=$?
  lines=$(wc -l <"$err")
  message=$(cat "$err")
  rm -f "$err"
  [ "$code" = 1 ] || { echo "FAIL: DISPLAY='$display': exit code $code"; exit 1; }
  [ "$lines" = 1 ] || { echo "FAIL: DISPLAY='$display': $lines lines on stderr:"; echo "$message"; exit 1; }
  echo "$message" | grep -q 'cannot connect to a display' || { echo "FAIL: DISPLAY='$display': $message"; exit 1; }
done
echo "1 passed, 0 failed"
