#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orvel-batch end to end, without a display: lines and keys mode on script
# files, the options, the exit statuses and the stop on SIGINT.
set -uo pipefail
build="$1"
data="$(cd "$(dirname "$0")/../data" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

source "$(dirname "$0")/../support/batch_expect.sh"

batch --format rational "$data/batch_hilbert.txt" >"$tmp/out" || fail "hilbert script"
cmp "$tmp/out" "$data/batch_hilbert.expected" || fail "hilbert script output"
batch --keys "$data/batch_keys.txt" >"$tmp/out" || fail "keys script"
cmp "$tmp/out" "$data/batch_keys.expected" || fail "keys script output"

printf '1+1\n' >"$tmp/sum.txt"
expect 0 $'Out>1 + 1 :\n2\n' "$tmp/sum.txt"
# The last line ends, so what the shell prints next starts a line of its own;
# an output already ending in a newline (the failed --open below) gets no second.
batch <"$tmp/sum.txt" >"$tmp/out" && printf 'Out>1 + 1 :\n2\n' | cmp -s - "$tmp/out" || fail "stdin"
expect 0 '' --execute off "$tmp/sum.txt"
printf 'AB\r' >"$tmp/keys.txt"
expect 0 $'Out>AB :\nMisplaced value\n' --keys --error-check off "$tmp/keys.txt"
expect 0 $'Out>A :\nEmpty matrix\n' --keys "$tmp/keys.txt"
printf 'I2\n' >"$tmp/inv.txt"
expect 0 $'Out>Inv 2 :\n0.5\n' --keys --auto-parens off "$tmp/inv.txt"
expect 0 $'Out>Inv (2) :\n0.5\n' --keys "$tmp/inv.txt"

expect 2 '' --format hex "$tmp/sum.txt"
expect 2 '' --zero-out maybe "$tmp/sum.txt"
expect 2 '' --bogus "$tmp/sum.txt"
expect 2 '' "$tmp/no-such-script.txt"
expect 2 '' "$tmp"  # a directory opens but cannot be read
batch "$tmp/sum.txt" >/dev/full 2>/dev/null
[ $? -eq 1 ] || fail "an output that cannot be written must not end with status 0"
# A data file that cannot be loaded ends the run before the first line.
expect 1 $'Out> :\n' --open "$tmp/x.orv" "$tmp/sum.txt"
grep -q "File could not be opened" "$tmp/err" || fail "file option message: $(cat "$tmp/err")"
head -c 600 /dev/zero | tr '\0' '1' >"$tmp/long.txt"
expect 2 '' "$tmp/long.txt"
# a blank is no token character: saved, the line would split into two words
printf '1 + 1\n' >"$tmp/blank.txt"
expect 2 '' "$tmp/blank.txt"
batch --help | grep -q -- "--save-variable NAME FILE.orv" || fail "--help"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
batch --version >"$tmp/out" || fail "--version"
[ "$(head -1 "$tmp/out")" = "orvel-batch (ORVEL Calculator) $version" ] || fail "--version: $(cat "$tmp/out")"
grep -qx "Licence GPL-3.0-or-later: GNU GPL version 3 or later." "$tmp/out" || fail "--version names no licence"

# Ctrl-C stops an endless repetition after its current line, keeps the
# output and ends the run.
printf 'u=0\nu=u+1;\nX(60000,1);\nX(60000,1)\nu\n' >"$tmp/endless.txt"
env -u DISPLAY "$build/orvel-batch" "$tmp/endless.txt" >"$tmp/out" 2>"$tmp/err" &
pid=$!
sleep 2
kill -INT "$pid"
wait "$pid"
status=$?
[ "$status" -eq 130 ] || fail "SIGINT exit status $status"
grep -q "Rpt stopped on request" "$tmp/out" || fail "stop notice: $(cat "$tmp/out")"
echo "orvel-batch: all runs as expected"
