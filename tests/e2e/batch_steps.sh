#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orvel-batch --steps: the options, where the steps go in the output, and
# golden outputs of the steps of a system, an inverse, a determinant and an
# RREF.
set -uo pipefail
build="$(cd "$1" && pwd)"
data="$(cd "$(dirname "$0")/../data" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

source "$(dirname "$0")/../support/batch_expect.sh"

# Runs a script of tests/data with the options; fails unless the output is
# the .expected file beside it.
golden() {
  local name="$1"; shift
  batch "$@" "$data/$name.txt" >"$tmp/out" 2>"$tmp/err" || fail "$name: $(cat "$tmp/err")"
  diff -u "$data/$name.expected" "$tmp/out" >&2 || fail "$name: output differs"
}

# A line without steps prints nothing more; the value of --steps is
# optional and only exact or computed; --pivot needs --steps.
printf '1+1\n' >"$tmp/sum.txt"
for steps in "--steps" "--steps exact" "--steps computed" "--steps --pivot largest"; do
  # shellcheck disable=SC2086
  expect 0 $'Out>1 + 1 :\n2\n' $steps "$tmp/sum.txt"
done
cp "$tmp/sum.txt" "$tmp/exact"
expect 0 $'Out>1 + 1 :\n2\n' --steps "$tmp/exact"
cd "$tmp" || fail "cd"
expect 0 $'Out>1 + 1 :\n2\n' --steps exact exact
expect 2 '' --steps largest "$tmp/sum.txt"  # "largest" is a script, so two scripts
expect 2 '' --pivot first "$tmp/sum.txt"
expect 2 '' --steps --pivot middle "$tmp/sum.txt"
expect 2 '' --steps "$tmp/sum.txt" --pivot
batch --help | grep -q -- "--steps \[exact|computed\]" || fail "--help"

# The steps follow the line's result, before the next line; a line that is
# not evaluated keeps none.
printf 'A=[0,2;1,3]\nIA\n1+1\n' >"$tmp/inverse.txt"
batch --steps "$tmp/inverse.txt" >"$tmp/out" || fail "inverse"
grep -qzF $'Out>Inv A :\n-1.5, 1 ;\n0.5, 0\n\nInv of a 2 x 2 matrix\n' "$tmp/out" ||
  fail "steps after the result: $(cat "$tmp/out")"
grep -qzE $'\n\nOut>1 \\+ 1 :\n2$' "$tmp/out" || fail "the next line after the steps: $(cat "$tmp/out")"
expect 0 '' --steps --execute off "$tmp/inverse.txt"
printf 'I[0,2;1,3]\n' >"$tmp/keys.txt"
batch --keys --steps "$tmp/keys.txt" | grep -q "^Inv of a 2 x 2 matrix$" || fail "keys mode"

# An operand with an infinite entry has no steps, and says so.
printf 'A=[1,2;3,4]\nA(1,1)=1/0\nA\\[1;2]\n' >"$tmp/infinite.txt"
batch --steps "$tmp/infinite.txt" | grep -q "^No steps: the operand has an infinite" ||
  fail "infinite entry"

# Golden steps: a system in exact fractions, an inverse in Rational format,
# a determinant whose arithmetic gives a signed zero part, an RREF as
# computed followed by a line without steps.
golden steps_system --steps
golden steps_inverse --steps --format rational
golden steps_det --steps
golden steps_rref --steps computed

echo "orvel-batch --steps: all runs as expected"
