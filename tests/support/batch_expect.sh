# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the orvel-batch end-to-end scripts, which set $build (the build
# folder) and $tmp (a scratch folder): orvel-batch without a display, a
# failure that ends the script, and a run that must exit and print exactly.
batch() { env -u DISPLAY "$build/orvel-batch" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs orvel-batch; fails unless it exits with $1 and prints exactly $2.
expect() {
  local status="$1" expected="$2"; shift 2
  batch "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
  local got=$?
  [ "$got" -eq "$status" ] || fail "orvel-batch $* exited $got, expected $status: $(cat "$tmp/err")"
  printf '%s' "$expected" | cmp -s - "$tmp/out" ||
    fail "orvel-batch $*: output $(od -c "$tmp/out" | head -5)"
}
