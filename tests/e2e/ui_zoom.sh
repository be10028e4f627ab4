#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The zoom from outside the program: the options answered or refused before
# any window, then, under its own Xvfb, the window's size as the desktop's
# Xft.dpi (set with xrdb), GDK_SCALE, ORVEL_ZOOM and --zoom ask for it, the
# first of --zoom, ORVEL_ZOOM, Xft.dpi, GDK_SCALE winning.
set -euo pipefail
BUILD=$1
source "$(dirname "$0")/../support/own_display.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$BUILD/orvel" --version | head -1 | grep -qE '^orvel \(ORVEL Calculator\) [0-9]+\.[0-9]+\.[0-9]+$' ||
  fail "--version: $("$BUILD/orvel" --version | head -1)"
"$BUILD/orvel" --help | grep -q -- '--zoom PERCENT' || fail "--help names no --zoom"
for args in "--zoom 50" "--zoom 301" "--zoom abc" "--zoom 150.5" "--zoom=" "--zoom" "--frobnicate"; do
  status=0
  # shellcheck disable=SC2086
  DISPLAY= "$BUILD/orvel" $args >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" = 2 ] || fail "orvel $args exits $status"
  [ ! -s "$WORK/out" ] || fail "orvel $args writes to standard output"
  grep -q "^orvel: " "$WORK/err" && grep -q "Try 'orvel --help'" "$WORK/err" ||
    fail "orvel $args says: $(cat "$WORK/err")"
done

# Without a client the server resets, and the resources set with xrdb
# would go with it.
start_display -noreset

# Starts the calculator with the environment assignments $2 and the
# arguments $3 (each split at blanks), checks its window's size against $1,
# and ends it.
expect_size() {
  # shellcheck disable=SC2086
  env -u ORVEL_ZOOM -u GDK_SCALE ${2:-} "$BUILD/orvel" ${3:-} 2>"$WORK/err" &
  local pid=$!
  track "$pid"
  local window size
  window=$(timeout 20 xdotool search --sync --name "^Quorvane Calculator$" | head -1)
  size=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  for _ in $(seq 100); do xdotool search --name "^Quorvane Calculator$" >/dev/null || break; sleep 0.05; done
  [ "$size" = "$1" ] || fail "orvel with '${2:-}' '${3:-}': $size, not $1"
}

expect_size 619x434
expect_size 1238x868 "GDK_SCALE=2"
echo "Xft.dpi: 144" | xrdb -merge
expect_size 929x651
expect_size 929x651 "GDK_SCALE=2"
expect_size 1238x868 "GDK_SCALE=2 ORVEL_ZOOM=200"
expect_size 774x543 "ORVEL_ZOOM=200" "--zoom 125"
expect_size 774x543 "ORVEL_ZOOM=200" "--zoom=125%"
expect_size 929x651 "ORVEL_ZOOM=huge"
grep -q "ORVEL_ZOOM=huge passed over" "$WORK/err" || fail "a bad ORVEL_ZOOM is not said"
echo "zoom: options, Xft.dpi, GDK_SCALE, ORVEL_ZOOM and --zoom in their order"
