#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages render without warnings, carry the project version, and
# orvel(1) and orvel-batch(1) document exactly the options that --help names.
set -euo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in the cache"

render() { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$build/dist/man/$1.1.gz" 2>"$tmp/$1.err"; }
for page in orvel orvel-batch; do
  render "$page" >"$tmp/$page.txt"
  [ ! -s "$tmp/$page.err" ] || fail "$page(1) warns: $(cat "$tmp/$page.err")"
  grep -q "^NAME" "$tmp/$page.txt" || fail "$page(1) does not render"
  tail -1 "$tmp/$page.txt" | grep -qF "ORVEL Calculator $version" || fail "$page(1) version"
done

# Long options anywhere in --help, and the tags of the man page's OPTIONS
# section (a tag starts a line at the section's first indent).
for program in orvel orvel-batch; do
  "$build/$program" --help | grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u >"$tmp/help"
  sed -n '/^OPTIONS/,/^[A-Z]/p' "$tmp/$program.txt" |
    grep -E '^ {7}-' | grep -oE '^ {7}--?[a-z][a-z-]*(, --?[a-z][a-z-]*)*' |
    grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u >"$tmp/manual"
  [ -s "$tmp/manual" ] || fail "no options found in $program(1)"
  diff -u "$tmp/help" "$tmp/manual" >&2 ||
    fail "$program --help (-) and the OPTIONS of $program(1) (+) name different options"
done
echo "manual pages: render, version $version, options agree with --help"
