# The interface is English where the system's languages put English before
# Japanese, and Japanese otherwise, the C locale included; --lang overrides.
# The windows' captions and the menus' mnemonics follow the language, and so
# do the buttons of Qt's own input box (Ctrl+T): Qt's Japanese ones with a
# Japanese interface, Qt's English ones with an English one.
source "$(dirname "$0")/lib.sh"
program=$1

# run_app LANG [ARGS...]: starts the program with LANG alone naming the language.
run_app() {
  local lang=$1
  shift
  cp "$program" "$E2E_DIR/velmora"
  (cd "$E2E_DIR" && exec env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" ./velmora "$@" >"$E2E_DIR/out.log" 2>&1) &
  APP_PID=$!
  RUN="LANG=$lang $*"
  MAIN_WIN=$(wait_window '^Velmora$')
  [ -n "$MAIN_WIN" ] || fail "the main window did not appear ($RUN)"
}

quit_app() {
  xdotool windowfocus --sync "$MAIN_WIN"
  xdotool key ctrl+q
  wait_exit
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE ($RUN)"
}

# to_main: gives the main window the focus and waits until it takes keys: a
# window that a dialog just stopped blocking may drop the first ones. It has
# them once it animates, which it does only while active.
to_main() {
  xdotool windowfocus --sync "$MAIN_WIN"
  picture_changes || fail "the main window did not become active ($RUN)"
}

# titled TITLE: prints the program's first visible window of exactly that
# title, read in UTF-8 from _NET_WM_NAME: WM_NAME, which xdotool matches, is
# garbled where the C library lacks the program's locale (ja_JP.UTF-8 often).
titled() {
  local w
  for w in $(xdotool search --onlyvisible --class velmora 2>/dev/null); do
    if [ "$(LC_ALL=C.UTF-8 xprop -id "$w" -notype _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME = \"$1\"" ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}
# wait_titled TITLE: as titled, waiting up to E2E_TIMEOUT; prints nothing if none comes.
wait_titled() {
  local w deadline=$((SECONDS + E2E_TIMEOUT))
  until w=$(titled "$1"); do
    [ "$SECONDS" -lt "$deadline" ] || return 0
    sleep 0.1
  done
  echo "$w"
}
shown() { titled "$1" >/dev/null; }
not_shown() { ! shown "$1"; }

# opens TITLE CLOSE-KEY KEY [ITEM-KEY]: KEY, pressed in the main window (and
# ITEM-KEY in the menu it opens), opens the window titled TITLE, and CLOSE-KEY
# closes it again.
opens() {
  local title=$1 close=$2 w
  to_main
  xdotool key "$3"
  if [ -n "${4:-}" ]; then
    wait_for menu_open || fail "$3 opened no menu ($RUN)"
    ITEM=$4 TITLE=$title
    wait_for item_chosen || fail "$4 in the $3 menu did not open \"$title\" ($RUN)"
  fi
  w=$(wait_titled "$title")
  [ -n "$w" ] || fail "$3 ${4:-} did not open \"$title\" ($RUN)"
  xdotool windowfocus --sync "$w"
  xdotool key "$close"
  wait_for not_shown "$title" || fail "$close did not close \"$title\" ($RUN)"
}
# A menu takes keys only once it holds the keyboard, a moment after it shows:
# its item's key is pressed again while the menu stays open. A press the menu
# missed goes to the main window, where a plain letter does nothing.
item_chosen() {
  shown "$TITLE" && return 0
  menu_open && xdotool key "$ITEM"
  return 1
}

# A menu is the program's one window that bypasses the window manager.
menu_open() {
  local w
  for w in $(xdotool search --onlyvisible --class velmora 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && return 0
  done
  return 1
}

# monitor_opens TITLE: Ctrl+M shows the monitor under that title, and hides it.
monitor_opens() {
  to_main
  xdotool key ctrl+m
  [ -n "$(wait_titled "$1")" ] || fail "Ctrl+M did not show \"$1\" ($RUN)"
  xdotool windowfocus --sync "$MAIN_WIN"
  xdotool key ctrl+m
  wait_for not_shown "$1" || fail "Ctrl+M did not hide \"$1\" ($RUN)"
}

# time_box_buttons TITLE OUT: Ctrl+T opens the time input box under that
# title; its cancel button, bottom right, is saved to OUT and the box
# cancelled. (OK is the default button, drawn apart while the box is active.)
time_box_buttons() {
  local box
  to_main
  xdotool key ctrl+t
  box=$(wait_titled "$1")
  [ -n "$box" ] || fail "Ctrl+T did not open \"$1\" ($RUN)"
  BOX=$box
  BUTTONS=$2
  xdotool windowfocus --sync "$box"
  wait_for buttons_drawn || fail "the buttons of \"$1\" did not settle ($RUN)"
  xdotool key Escape
  wait_for not_shown "$1" || fail "Esc did not close \"$1\" ($RUN)"
}
# Two shots of the row a moment apart are the same once it is drawn.
buttons_drawn() {
  import -window "$BOX" "$E2E_DIR/box1.png" && convert "$E2E_DIR/box1.png" -gravity SouthEast -crop 95x40+0+0 +repage "$BUTTONS" &&
    sleep 0.2 && import -window "$BOX" "$E2E_DIR/box2.png" &&
    convert "$E2E_DIR/box2.png" -gravity SouthEast -crop 95x40+0+0 +repage "$E2E_DIR/again.png" &&
    ! images_differ "$BUTTONS" "$E2E_DIR/again.png"
}

check_english() {
  opens 'Display Settings' Return alt+f d # the English mnemonic
  opens 'Wave Settings' Return ctrl+s
  opens 'About Velmora' Return alt+f a
  monitor_opens 'Amplitudes'
  time_box_buttons 'Go to Time' "$1"
}

check_japanese() {
  opens '表示設定' Return alt+f v # the Japanese mnemonic
  opens '波の設定' Return ctrl+s
  opens 'バージョン情報' Return alt+f a
  monitor_opens '振幅モニタ'
  time_box_buttons '時刻設定' "$1"
}

# The shots of the time box's buttons compared share LANG, since the fonts
# chosen may follow it.
run_app en_US.UTF-8
check_english "$E2E_DIR/en.png"
quit_app
run_app en_US.UTF-8 --lang ja
time_box_buttons '時刻設定' "$E2E_DIR/en-ja.png"
quit_app
images_differ "$E2E_DIR/en.png" "$E2E_DIR/en-ja.png" || fail "under en_US the time box has English buttons with --lang ja"

for lang in ja_JP.UTF-8 C.UTF-8; do
  run_app $lang
  check_japanese "$E2E_DIR/ja.png"
  quit_app
  run_app $lang --lang en
  time_box_buttons 'Go to Time' "$E2E_DIR/ja-en.png"
  quit_app
  images_differ "$E2E_DIR/ja.png" "$E2E_DIR/ja-en.png" || fail "under $lang the time box has the same buttons with --lang en"
done

echo "1 passed, 0 failed"
