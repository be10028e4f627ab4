#!/usr/bin/env bash
# Starts the calculator under its own Xvfb and uses it as a person would:
# types a calculation, presses Enter, saves the output through
# File > "Save Output" and its chooser, and checks the saved text.
set -euo pipefail
BUILD=$1
WORK=$(mktemp -d)
XVFB_PID=
ORVEL_PID=
cleanup() {
  [ -n "$ORVEL_PID" ] && kill "$ORVEL_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$WORK/display")

# The toolkit's font caches live until exit; leaks are checked in-process.
ASAN_OPTIONS=detect_leaks=0 "$BUILD/orvel" &
ORVEL_PID=$!
MAIN=$(timeout 20 xdotool search --sync --name "^Quorvane Calculator$" | head -1)
xdotool windowfocus --sync "$MAIN"

xdotool type --delay 20 "1+2*3"
xdotool key Return
# File menu: its title at the left of the menu bar, then the third item.
xdotool mousemove --window "$MAIN" 25 15 click 1
sleep 0.3
xdotool key Down Down Down Return

CHOOSER=$(timeout 20 xdotool search --sync --name "^Save ORVEL Output File$" | head -1)
sleep 0.5
xdotool windowfocus --sync "$CHOOSER"
xdotool mousemove --window "$CHOOSER" 400 22 click 1  # the name field
xdotool type --delay 10 "$WORK/result.txt"
xdotool key Return

for _ in $(seq 100); do [ -s "$WORK/result.txt" ] && break; sleep 0.05; done
printf 'Out>1 + 2 * 3 :\n7' >"$WORK/expected.txt"
if ! cmp -s "$WORK/expected.txt" "$WORK/result.txt"; then
  echo "saved output differs:"; cat "$WORK/result.txt"
  exit 1
fi
kill -0 "$ORVEL_PID"  # still running after the save
echo "saved output as expected"
