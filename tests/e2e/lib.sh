# Helpers for the end-to-end scenarios. Each scenario runs inside its own
# virtual display with a private copy of the program, so its Visual.ini is its own.
set -euo pipefail

E2E_DIR=$(mktemp -d)
trap 'kill -9 ${APP_PID:-} ${WM_PID:-} ${PULSE_PID:-} 2>/dev/null || true; rm -rf "$E2E_DIR"' EXIT

# How long a wait may take before it counts as a hang. Things waited for take
# well under a second; this is generous for a loaded machine.
E2E_TIMEOUT=${E2E_TIMEOUT:-30}

fail() {
  echo "FAIL: $*" >&2
  [ -s "$E2E_DIR/out.log" ] && { echo "--- the program's output:" >&2; cat "$E2E_DIR/out.log" >&2; }
  exit 1
}

# wait_for COMMAND...: polls until the command succeeds; false after E2E_TIMEOUT.
wait_for() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# wait_window TITLE [EXCEPT]: prints the first visible window whose title
# matches, other than EXCEPT, waiting up to E2E_TIMEOUT; prints nothing if none comes.
wait_window() {
  local w="" deadline=$((SECONDS + E2E_TIMEOUT))
  while :; do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -1 || true)
    [ -n "$w" ] && break
    [ "$SECONDS" -lt "$deadline" ] || break
    sleep 0.1
  done
  echo "$w"
}

# start_wm: runs a window manager on the display, for scenarios that need
# windows decorated as on a desktop; returns once it manages the screen.
start_wm() {
  openbox >"$E2E_DIR/wm.log" 2>&1 &
  WM_PID=$!
  disown "$WM_PID" # ended by the exit trap, without a job notice
  wait_for wm_running || fail "the window manager did not start"
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_app BINARY [ARGUMENT...]: copies the program into the scenario's folder
# and starts it with the arguments.
start_app() {
  cp "$1" "$E2E_DIR/velmora"
  (cd "$E2E_DIR" && exec ./velmora "${@:2}" >"$E2E_DIR/out.log" 2>&1) &
  APP_PID=$!
  MAIN_WIN=$(wait_window '^Velmora$')
  [ -n "$MAIN_WIN" ] || fail "the main window did not appear"
  # Without a window manager a window is active only once it has the focus.
  if [ -n "${WM_PID:-}" ]; then
    xdotool windowactivate --sync "$MAIN_WIN"
  else
    xdotool windowfocus --sync "$MAIN_WIN"
  fi
}

shot() { import -window "${2:-$MAIN_WIN}" "$1"; }

# frame_window WINDOW: prints the window that holds the window manager's frame
# around it, if it has one: its ancestor just below the root.
frame_window() {
  local w=$1 tree parent root
  while :; do
    tree=$(xwininfo -children -id "$w")
    root=$(sed -n 's/^ *Root window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
    parent=$(sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
    [ -n "$parent" ] && [ "$((parent))" != "$((root))" ] || break
    w=$parent
  done
  echo "$w"
}

# outer_size WINDOW: prints "W H" of the window with its frame.
outer_size() { window_size "$(frame_window "$1")"; }

# window_size WINDOW: prints "W H" of the window itself.
window_size() { xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}'; }

# Waits until the program has ended; its exit code goes to EXIT_CODE.
wait_exit() {
  wait_for app_ended || fail "the program did not end"
  EXIT_CODE=0
  wait "$APP_PID" || EXIT_CODE=$?
}
app_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

images_differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != "0" ]; }

# picture_changes: waits until the main window's picture differs from how it
# looks now; false if it stays the same for E2E_TIMEOUT.
picture_changes() {
  shot "$E2E_DIR/before.png"
  wait_for picture_differs_from_before
}
picture_differs_from_before() { shot "$E2E_DIR/now.png" && images_differ "$E2E_DIR/before.png" "$E2E_DIR/now.png"; }

# picture_settles: waits until two shots of the main window a moment apart are
# the same, so that keys already sent have been drawn.
picture_settles() { wait_for picture_still; }
picture_still() {
  shot "$E2E_DIR/still1.png"
  sleep 0.2
  shot "$E2E_DIR/still2.png"
  ! images_differ "$E2E_DIR/still1.png" "$E2E_DIR/still2.png"
}

# clipboard_png FILE: waits for a PNG on the clipboard and saves it.
clipboard_png() {
  CLIP_FILE=$1
  wait_for clipboard_has_png
}
clipboard_has_png() {
  xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q image/png &&
    xclip -selection clipboard -t image/png -o >"$CLIP_FILE" 2>/dev/null && [ -s "$CLIP_FILE" ]
}

# in_dialog TITLE COMMAND...: runs the command with the dialog of that title
# focused, then waits for the dialog to close.
in_dialog() {
  local dialog
  dialog=$(wait_window "$1")
  [ -n "$dialog" ] || fail "the dialog '$1' did not open"
  xdotool windowfocus --sync "$dialog"
  "${@:2}"
  dialog_gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
  wait_for dialog_gone "$1" || fail "the dialog '$1' did not close"
}

# answer TITLE KEY...: presses the keys in the dialog of that title.
answer() { in_dialog "$1" xdotool key --delay 50 "${@:2}"; }

# file_dialog TITLE PATH: types the path into the file dialog and accepts it.
file_dialog() {
  in_dialog "$1" type_and_accept "$2"
  xdotool windowfocus --sync "$MAIN_WIN"
}
type_and_accept() {
  xdotool type --delay 20 "$1"
  xdotool key Return
}
