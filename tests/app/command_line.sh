# The command line is read before any display is needed: help and version go
# to stdout with exit code 0, anything unknown to stderr with usage and 2.
set -u
program=$1
failures=0
# A pattern of "" means the stream must stay empty.
matches() { if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -q -e "$2" "$1"; fi; }
check() { # name expected-code stdout-pattern stderr-pattern args...
  local name=$1 want=$2 outPattern=$3 errPattern=$4
  shift 4
  local out err code
  out=$(mktemp)
  err=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err"
  code=$?
  if [ "$code" != "$want" ] || ! matches "$out" "$outPattern" || ! matches "$err" "$errPattern"; then
    echo "FAIL: $name: exit $code (want $want)"
    echo "stdout:"; cat "$out"; echo "stderr:"; cat "$err"
    failures=$((failures + 1))
  fi
  rm -f "$out" "$err"
}
check help 0 '^Usage: .*velmora \[options\]' '' --help
check help-short 0 '--version' '' -h
check version 0 '^Velmora 2\.0$' '' --version
check qt-option-kept-for-qt 0 '^Velmora 2\.0$' '' -platform offscreen --version
check unknown-option 2 '' "Unknown option 'bogus'" --bogus
check usage-on-error 2 '' '^Usage: ' --bogus
check extra-argument 2 '' 'extra' extra
[ "$failures" = 0 ] || exit 1
echo "7 passed, 0 failed"
