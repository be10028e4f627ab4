#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A script saved by orvel-batch with --save-input replays after --open: the
# loaded lines enter the history unexecuted and Rpt runs them.
set -euo pipefail
batch="$1/orvel-batch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'A=[1,2;3,4]\nB=A*A\n' | "$batch" --execute off --save-input "$work/script.orv" >/dev/null
if grep -q 'A=\[1,2;3,4\]' "$work/script.orv"; then
  echo "the data file is readable as text" >&2
  exit 1
fi

echo 'X(1)' | "$batch" --open "$work/script.orv" >"$work/replay.txt"
printf 'Out>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>B = A * A :\n7, 10 ;\n15, 22\nOut>\n' >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/replay.txt"
