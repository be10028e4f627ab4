#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orvel-batch plots from a script and exports the graph under its own Xvfb;
# without a display --save-graph fails clearly and every other option works.
set -uo pipefail
build="$1"
source "$(dirname "$0")/../support/own_display.sh"
tmp=$WORK
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'u=[-3:3,0.01]\nw=0.5\nw=w+0.5\nf(u,s(w*u));\nX(2,2)\n' >"$tmp/sine.txt"
: >"$tmp/empty.txt"

# Runs orvel-batch without a display; fails unless it exits with $1.
nodisplay() {
  local status="$1"; shift
  env -u DISPLAY "$build/orvel-batch" "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "orvel-batch $* exited $got, expected $status: $(cat "$tmp/err")"
}

nodisplay 1 --graph --save-graph "$tmp/sine.png" "$tmp/sine.txt"
grep -q "needs an X display" "$tmp/err" || fail "no-display message: $(cat "$tmp/err")"
[ ! -e "$tmp/sine.png" ] || fail "an image without a display"
nodisplay 0 --graph --scales on --corners on "$tmp/sine.txt"
grep -q "Plot window is not open" "$tmp/out" && fail "the graph was not open"
nodisplay 0 "$tmp/sine.txt"
grep -q "Plot window is not open" "$tmp/out" || fail "Plot without the graph"
nodisplay 0 --graph-line '[1,1,1,0,1,1]' "$tmp/empty.txt"
grep -q "Graph parameters incorrect, using defaults \[-3, 3, 1, -2, 2, 1\]" "$tmp/out" ||
  fail "parameter notice: $(cat "$tmp/out")"
nodisplay 2 --save-graph "$tmp/g.png" "$tmp/empty.txt"
nodisplay 2 --graph --save-graph "$tmp/g.gif" "$tmp/empty.txt"
nodisplay 2 --graph --save-graph "$tmp/d.png/g" "$tmp/empty.txt"  # a folder's extension does not count
nodisplay 2 --graph --corners maybe "$tmp/empty.txt"
nodisplay 2 --graph-line '1 + 1' "$tmp/empty.txt"
"$build/orvel-batch" --help | grep -q -- "--save-graph FILE" || fail "--help"
DISPLAY=:4242 "$build/orvel-batch" --graph --save-graph "$tmp/g.png" "$tmp/empty.txt" \
  >/dev/null 2>"$tmp/err"
[ $? -eq 1 ] && grep -q "needs an X display" "$tmp/err" || fail "unreachable display"

start_display

"$build/orvel-batch" --graph --scales on --corners on --save-graph "$tmp/sine.png" \
  "$tmp/sine.txt" >"$tmp/out" 2>"$tmp/err" || fail "sine export: $(cat "$tmp/err")"
[ "$(head -c 8 "$tmp/sine.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
  fail "PNG signature"
"$build/orvel-batch" --graph-line '[-1,1,3,0,10,4]' --save-graph "$tmp/box.ppm" \
  "$tmp/empty.txt" >/dev/null 2>"$tmp/err" || fail "ppm export: $(cat "$tmp/err")"
[ "$(stat -c %s "$tmp/box.ppm")" -eq 720015 ] || fail "PPM size"
[ "$(head -c 15 "$tmp/box.ppm")" = "$(printf 'P6\n600\n400\n255\n')" ] || fail "PPM header"
# the first of the three vertical grid lines: row 10, column 150, background grey
[ "$(tail -c +$((16 + (10 * 600 + 150) * 3)) "$tmp/box.ppm" | head -c 3 | od -An -tu1 |
  tr -s ' ')" = " 192 192 192" ] || fail "grid line pixel"
# Only the file's own name chooses the format, whatever its folder is called.
mkdir "$tmp/d.ppm_x"
"$build/orvel-batch" --graph --save-graph "$tmp/d.ppm_x/g.ppm" "$tmp/empty.txt" \
  >/dev/null 2>"$tmp/err" || fail "export into d.ppm_x: $(cat "$tmp/err")"
[ "$(head -c 2 "$tmp/d.ppm_x/g.ppm")" = P6 ] || fail "d.ppm_x/g.ppm is no PPM"
echo "orvel-batch graph: all runs as expected"
