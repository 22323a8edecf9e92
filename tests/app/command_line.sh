# The command line is read before any display is needed: help and version go
# to stdout with exit code 0, anything unknown to stderr with usage and 2.
# Help and errors speak the interface's language: LANG's, unless --lang says.
set -u
program=$1
failures=0
checks=0
# A pattern of "" means the stream must stay empty.
matches() { if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -q -e "$2" "$1"; fi; }
check() { # name expected-code stdout-pattern stderr-pattern args...
  local name=$1 want=$2 outPattern=$3 errPattern=$4
  shift 4
  local out err code
  checks=$((checks + 1))
  out=$(mktemp)
  err=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES "$program" "$@" >"$out" 2>"$err"
  code=$?
  if [ "$code" != "$want" ] || ! matches "$out" "$outPattern" || ! matches "$err" "$errPattern"; then
    echo "FAIL: $name: exit $code (want $want)"
    echo "stdout:"; cat "$out"; echo "stderr:"; cat "$err"
    failures=$((failures + 1))
  fi
  rm -f "$out" "$err"
}
LANG=en_US.UTF-8 check help 0 '^Usage: .*velmora \[options\]' '' --help
check help-short 0 '--version' '' -h
check version 0 '^Velmora 2\.0$' '' --version
check qt-option-kept-for-qt 0 '^Velmora 2\.0$' '' -platform offscreen --version
LANG=en_US.UTF-8 check unknown-option 2 '' "Unknown option 'bogus'" --bogus
LANG=en_US.UTF-8 check usage-on-error 2 '' '^Usage: ' --bogus
# Qt's own words in help and errors follow the interface's language too.
LANG=ja_JP.UTF-8 check usage-japanese 2 '' '^使い方: ' --bogus
LANG=C.UTF-8 check unknown-option-japanese 2 '' "'bogus' は未知のオプションです" --bogus
check help-all-lists-qt-options 0 '--platform <value>' '' --help-all

check extra-argument 2 '' 'extra' extra
check lang-in-help 0 '--lang <ja|en>' '' --help
check lesson-in-help 0 '\[lesson\.velmora\]' '' --help
# A lesson is taken, so the program goes on to need a display.
check lesson-argument 1 '' 'cannot connect to a display' lesson.velmora
check existing-file-argument 1 '' 'cannot connect to a display' "$program"
LANG=en_US.UTF-8 check two-lessons 2 '' '^Usage: ' a.velmora b.velmora
check lang-unknown 2 '' "'fr'" --lang fr
LANG=en_US.UTF-8 check lang-unknown-usage 2 '' '^Usage: ' --lang fr
LANG=en_US.UTF-8 check lang-missing-value 2 '' "Missing value after '--lang'" --lang
english='Animates the vibration of a string'
japanese='両端を固定した弦の振動'
LANG=en_US.UTF-8 check help-english 0 "$english" '' --help
LANG=ja_JP.UTF-8 check help-japanese 0 "$japanese" '' --help
LANG=C.UTF-8 check help-c-locale 0 "$japanese" '' --help
LANG=de_DE.UTF-8 check help-other-language 0 "$japanese" '' --help
LANG=ja_JP.UTF-8 check lang-overrides-japanese 0 "$english" '' --lang en --help
LANG=en_US.UTF-8 check lang-overrides-english 0 "$japanese" '' --lang=ja --help
LANG=en_US.UTF-8 check error-english 2 '' 'Unexpected arguments: extra' extra

# Exports draw and write without any display; usage errors are one line.
lessons=$(cd "$(dirname "$0")/../../lessons" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# As in a desktop session, so that Qt has nothing to say about it on stderr.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
LANG=en_US.UTF-8 check export-in-help 0 '--export-png <file.png>' '' --help
check export-png 0 '' '' --export-png "$work/frame.png" --size 333x127 "$lessons/first-three-modes.velmora"
checks=$((checks + 1))
if [ "$(identify -format '%m %wx%h' "$work/frame.png" 2>&1)" != "PNG 333x127" ]; then
  echo "FAIL: export-png-size: $(identify "$work/frame.png" 2>&1)"
  failures=$((failures + 1))
fi
check export-png-start-state 0 '' '' --export-png "$work/start.png" --size 40x30
LANG=en_US.UTF-8 check export-bad-size 2 '' '^Invalid image size .12x.' --export-png "$work/bad.png" --size 12x
check export-zero-size 2 '' '0x10' --export-png "$work/bad.png" --size 0x10
check export-png-without-size 2 '' '--size' --export-png "$work/bad.png"
LANG=en_US.UTF-8 check export-unwritable 1 '' '^Cannot write ' --export-png "$work/no/such.png" --size 10x10
LANG=en_US.UTF-8 check export-bad-lesson 1 '' '^Cannot open ' --export-amplitudes "$work/a.csv" "$work/none.velmora"
check export-amplitudes 0 '' '' --export-amplitudes "$work/a.csv" "$lessons/first-three-modes.velmora"
checks=$((checks + 1))
expected=$'mode,amplitude\n1,0.333333343\n2,0.333333343\n3,0.333333343'
if [ "$(cat "$work/a.csv")" != "$expected" ]; then
  echo "FAIL: export-amplitudes-text:"; cat "$work/a.csv"
  failures=$((failures + 1))
fi
# One period as a GIF: the frames asked for, or 50, each the size asked for.
gifFrames() { identify -format '%m %Wx%H\n' "$1" 2>&1 | sort | uniq -c | sed 's/^ *//'; }
check export-gif 0 '' '' --export-gif "$work/period.gif" --size 120x80 --frames 7 "$lessons/first-three-modes.velmora"
checks=$((checks + 1))
if [ "$(gifFrames "$work/period.gif")" != "7 GIF 120x80" ]; then
  echo "FAIL: export-gif-frames: $(gifFrames "$work/period.gif")"
  failures=$((failures + 1))
fi
check export-gif-start-state 0 '' '' --export-gif "$work/start.gif" --size 40x30
checks=$((checks + 1))
if [ "$(gifFrames "$work/start.gif")" != "50 GIF 40x30" ]; then
  echo "FAIL: export-gif-default-frames: $(gifFrames "$work/start.gif")"
  failures=$((failures + 1))
fi
LANG=en_US.UTF-8 check export-gif-in-help 0 '--frames <N>' '' --help
check export-gif-without-size 2 '' '--size' --export-gif "$work/bad.gif"
check export-gif-one-frame 2 '' "'1'" --export-gif "$work/bad.gif" --size 10x10 --frames 1
check export-gif-too-many-frames 2 '' "'501'" --export-gif "$work/bad.gif" --size 10x10 --frames 501
check frames-without-gif 2 '' '--frames' --export-png "$work/bad.png" --size 10x10 --frames 5
check size-alone 2 '' '--size' --size 10x10
# An empty file name, as from a script's unset variable, is refused, not a silent success.
for option in export-png export-gif export-amplitudes; do
  check "$option-empty-name" 2 '' "--$option" "--$option=" --size 10x10
done
checks=$((checks + 1))
if [ -e "$work/bad.gif" ] || [ -e "$work/bad.png" ]; then
  echo "FAIL: usage-errors-write-nothing"
  failures=$((failures + 1))
fi
[ "$failures" = 0 ] || exit 1
echo "$checks passed, 0 failed"
