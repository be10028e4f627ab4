#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orvel-batch --result-format and --full-precision: the results of main lines
# and of repeated lines in the form asked for, below echo lines that do not
# change; errors as they are; bad values refused.
set -uo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

source "$(dirname "$0")/../support/batch_expect.sh"

# a main line, the same line repeated, and an error
printf '[1,-2/3;3+4i,1.5E-3]\nX(1,1)\nAB\n' >"$tmp/lines.txt"
echo_line=$'Out>[1,  - 2 / 3; 3 + 4i, 1.5E - 3] :\n'
# Expects $2 as the result of both lines when run with the options after it.
expect_result() {
  local result="$1"; shift
  expect 0 "$echo_line$result"$'\n'"$echo_line$result"$'\nOut>\n\nOut>AB :\nMisplaced value\n' \
    "$@" "$tmp/lines.txt"
}
expect_result $'1, -0.666667 ;\n3 + 4i, 0.0015'
expect_result $'1, -0.666667 ;\n3 + 4i, 0.0015' --result-format text
expect_result $'\\begin{pmatrix}\n1 & -0.666667 \\\\\n3 + 4i & 0.0015\n\\end{pmatrix}' \
  --result-format latex
expect_result $'| Col 1 | Col 2 |\n|---:|---:|\n| 1 | -0.666667 |\n| 3 + 4i | 0.0015 |' \
  --result-format markdown
expect_result 'np.array([[1, -0.666667], [3+4j, 0.0015]])' --result-format numpy
expect_result '[1, -0.666667; 3+4i, 0.0015]' --result-format octave
expect_result $'1,-0.666667\n3+4i,0.0015' --result-format csv
expect_result '[1, -2/3; 3+4i, 3/2000]' --result-format octave --format rational
expect_result $'1, -0.66666666666666663 ;\n3 + 4i, 0.0015' --full-precision on
expect_result 'np.array([[1, -0.66666666666666663], [3+4j, 0.0015]])' \
  --full-precision on --result-format numpy
expect_result $'1, -0.666667 ;\n3 + 4i, 0.0015' --full-precision off --result-format text

expect 2 '' --result-format xml "$tmp/lines.txt"
grep -q -- "--result-format takes text, latex, markdown, numpy, octave or csv" "$tmp/err" ||
  fail "--result-format complaint: $(cat "$tmp/err")"
expect 2 '' --result-format
expect 2 '' --full-precision yes "$tmp/lines.txt"
batch --help | grep -q -- "--result-format text|latex|markdown|numpy|octave|csv" || fail "--help"
echo "orvel-batch: every result form as expected"
