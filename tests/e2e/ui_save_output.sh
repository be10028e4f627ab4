#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the calculator under its own Xvfb and uses it as a person would:
# types a calculation, presses Enter, saves the output through
# File > "Save Output" and its chooser, and checks the saved text; then quits
# through File > Quit, which must end with status 0 (no leak reported).
set -euo pipefail
BUILD=$1
source "$(dirname "$0")/../support/own_display.sh"
start_display

"$BUILD/orvel" &
ORVEL_PID=$!
track "$ORVEL_PID"
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

# File > Quit (Save Graph, inactive without a graph, is skipped) and Yes in
# the exit question: a normal end, with the sanitizers' leak check on.
xdotool windowfocus --sync "$MAIN"
xdotool mousemove --window "$MAIN" 25 15 click 1
sleep 0.3
xdotool key Down Down Down Down Down Return
QUESTION=""
for _ in $(seq 100); do
  QUESTION=$(xdotool search --onlyvisible --classname "^orvel$" | grep -vx "$MAIN" | head -1) || true
  [ -n "$QUESTION" ] && break
  sleep 0.05
done
[ -n "$QUESTION" ] || { echo "no exit question"; exit 1; }
sleep 0.3
# The question's buttons sit at its bottom right: "No", the safe answer, in
# the corner and "Yes" left of it, each 90 pixels wide with 10 between.
read -r WIDTH HEIGHT < <(xdotool getwindowgeometry --shell "$QUESTION" |
  sed -n 's/^WIDTH=//p; s/^HEIGHT=//p' | paste -sd' ')
xdotool mousemove --window "$QUESTION" $((WIDTH - 155)) $((HEIGHT - 21)) click 1
STATUS=0
timeout 30 tail --pid="$ORVEL_PID" -f /dev/null || { echo "still running after Quit"; exit 1; }
wait "$ORVEL_PID" || STATUS=$?
[ "$STATUS" -eq 0 ] || { echo "File > Quit exited $STATUS"; exit 1; }
echo "saved output as expected; File > Quit exits 0"
