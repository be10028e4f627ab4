#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the calculator under its own Xvfb and fills a matrix in the editor
# as a person would: Edit > Matrix > A by its shortcut, a 2 x 2 size with the
# counters' arrows, Edit, values typed into clicked cells, Done; then `A` and
# Enter, and the output saved through File > "Save Output" shows the values.
set -euo pipefail
BUILD=$1
source "$(dirname "$0")/../support/own_display.sh"
start_display

"$BUILD/orvel" &
track $!
MAIN=$(timeout 20 xdotool search --sync --name "^Quorvane Calculator$" | head -1)
xdotool windowfocus --sync "$MAIN"
at() { xdotool mousemove --window "$MAIN" "$1" "$2" click 1; sleep 0.2; }

xdotool key alt+shift+a  # Edit > Matrix > A
sleep 0.3
at 486 135; at 486 135  # Rows: the counter's up arrow, 0 -> 2
at 486 165; at 486 165  # Columns
at 527 14               # Edit
at 98 58                # the cell in row 1, column 1
xdotool type --delay 30 "1"
xdotool key Return      # stored; row 1, column 2 is edited next
xdotool type --delay 30 "2"
xdotool key Return
xdotool type --delay 30 "3"
at 178 78               # row 2, column 2: the press commits the 3 first
xdotool type --delay 30 "4"
at 560 14               # Done commits the 4
xdotool type --delay 30 "A"
xdotool key Return

# File menu: its title at the left of the menu bar, then the third item.
at 25 15
xdotool key Down Down Down Return
CHOOSER=$(timeout 20 xdotool search --sync --name "^Save ORVEL Output File$" | head -1)
sleep 0.5
xdotool windowfocus --sync "$CHOOSER"
xdotool mousemove --window "$CHOOSER" 400 22 click 1  # the name field
xdotool type --delay 10 "$WORK/result.txt"
xdotool key Return

for _ in $(seq 100); do [ -s "$WORK/result.txt" ] && break; sleep 0.05; done
printf 'Out>A :\n1, 2 ;\n3, 4' >"$WORK/expected.txt"
if ! cmp -s "$WORK/expected.txt" "$WORK/result.txt"; then
  echo "saved output differs:"; cat "$WORK/result.txt"
  exit 1
fi
echo "matrix filled in the editor as expected"
