# Helpers for the end-to-end scenarios. Each scenario runs inside its own
# virtual display with a private copy of the program, so its Visual.ini is its own.
set -euo pipefail

E2E_DIR=$(mktemp -d)
trap 'kill -9 ${APP_PID:-} 2>/dev/null || true; rm -rf "$E2E_DIR"' EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$E2E_DIR/out.log" ] && { echo "--- the program's output:" >&2; cat "$E2E_DIR/out.log" >&2; }
  exit 1
}

# wait_window TITLE [EXCEPT]: prints the first visible window whose title
# matches, other than EXCEPT, waiting up to 10 s; prints nothing if none comes.
wait_window() {
  local w=""
  for _ in $(seq 1 100); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | head -1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  echo "$w"
}

# start_app BINARY: copies the program into the scenario's folder and starts it.
start_app() {
  cp "$1" "$E2E_DIR/velmora"
  (cd "$E2E_DIR" && exec ./velmora >"$E2E_DIR/out.log" 2>&1) &
  APP_PID=$!
  MAIN_WIN=$(wait_window '^Velmora$')
  [ -n "$MAIN_WIN" ] || fail "the main window did not appear"
  # Without a window manager a window is active only once it has the focus.
  xdotool windowfocus --sync "$MAIN_WIN"
}

shot() { import -window "${2:-$MAIN_WIN}" "$1"; }

# Waits until the program has ended; its exit code goes to EXIT_CODE.
wait_exit() {
  for _ in $(seq 1 100); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      EXIT_CODE=0
      wait "$APP_PID" || EXIT_CODE=$?
      return
    fi
    sleep 0.1
  done
  fail "the program did not end"
}

images_differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != "0" ]; }
