#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package end to end: CPack packages this build, the package is
# unpacked into a scratch folder (no root install), and there its programs
# run, its menu entry and icon resolve, its metadata validates, and nothing
# refers back to the build folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
source "$(dirname "$0")/../support/own_display.sh"
tmp=$WORK
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package is made from this very build (sanitizers and all): what is
# under test, the install rules and the packaging, is the same for every
# build type, and a second, Release build would cost minutes.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
deb="$tmp/orvel_${version}_$(dpkg --print-architecture).deb"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$tmp/cpack.log")"
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$tmp")"

field() { dpkg-deb -f "$deb" "$1"; }
field Depends | grep -q "libfltk1.3" || fail "Depends not computed from the binaries: $(field Depends)"
for name in Maintainer Section Description; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
share="$usr/share"
for file in bin/orvel bin/orvel-batch share/applications/orvel.desktop \
  share/icons/hicolor/scalable/apps/orvel.svg share/man/man1/orvel.1.gz \
  share/man/man1/orvel-batch.1.gz share/doc/orvel/README.md share/doc/orvel/copyright \
  share/doc/orvel/changelog.gz; do
  [ -s "$usr/$file" ] || fail "the package lacks /usr/$file"
done
# The guide is installed once the project has one.
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
if [ -f "$source_dir/docs/guide.html" ]; then
  cmp -s "$source_dir/docs/guide.html" "$share/doc/orvel/guide.html" || fail "the guide is not installed"
fi
for size in 48 64 128 256; do
  file -b "$share/icons/hicolor/${size}x$size/apps/orvel.png" | grep -q "PNG image data, $size x $size" ||
    fail "icon ${size}x$size"
done
metainfo=("$share"/metainfo/*.metainfo.xml)
[ -s "${metainfo[0]}" ] || fail "no metainfo"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "${metainfo[0]}" ||
  fail "the metainfo names no GPL-3.0-or-later licence"
# Web addresses appear only once the project has a site.
homepage=$(sed -n 's/^ORVEL_HOMEPAGE:[A-Z]*=//p' "$build/CMakeCache.txt")
if [ -n "$homepage" ]; then
  grep -q "<screenshot" "${metainfo[0]}" || fail "the metainfo shows no screenshot"
else
  grep -qE "<url|<screenshot" "${metainfo[0]}" && fail "a web address without a site"
  [ -z "$(field Homepage)" ] || fail "a Homepage without a site: $(field Homepage)"
fi
grep -q "^License: GPL-3.0+" "$share/doc/orvel/copyright" || fail "copyright names no GPL-3.0+ licence"

newest=$(zcat "$share/doc/orvel/changelog.gz" | sed -n '1s/^orvel (\([^)]*\)).*/\1/p')
[ "$newest" = "$version" ] || fail "dist/changelog's newest entry is $newest, the project $version"
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1 || fail "lintian: $(cat "$tmp/lintian.log")"
fi

# Relocatable: no file, binaries included, names the build folder. A
# sanitizer build's binaries name their generated sources in the sanitizer's
# own metadata, so there only the text files are checked.
binaries=-a
grep -q '^ORVEL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && binaries=-I
if grep -rlF "$binaries" "$build" "$root" >"$tmp/refs"; then fail "refers to the build folder: $(cat "$tmp/refs")"; fi

# The menu entry starts a program of the package and shows one of its icons.
desktop="$share/applications/orvel.desktop"
grep -qx "Name=ORVEL Calculator" "$desktop" || fail "desktop entry name"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$usr/bin/$exec_program" ] || fail "Exec=$exec_program is not in the package's bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -n "$(find "$share/icons/hicolor" -path "*/apps/$icon.*")" ] || fail "Icon=$icon is not in the package"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "${metainfo[0]}" >"$tmp/appstream.log" ||
    fail "appstreamcli validate: $(cat "$tmp/appstream.log")"
fi

# The unpacked programs run.
printf 'A=[1,2;3,4]\nD(A)\n' >"$tmp/det.txt"
env -u DISPLAY "$usr/bin/orvel-batch" "$tmp/det.txt" >"$tmp/out" || fail "unpacked orvel-batch"
[ "$(tail -1 "$tmp/out")" = "-2" ] || fail "unpacked orvel-batch printed: $(cat "$tmp/out")"
[ "$("$usr/bin/orvel-batch" --version | head -1)" = "orvel-batch (ORVEL Calculator) $version" ] ||
  fail "unpacked orvel-batch --version"

start_display
"$usr/bin/orvel" &
track $!
# Its window's class is the one the menu entry names, so the desktop shows its icon.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
timeout 20 xdotool search --sync --classname "^$wm_class$" \
  >/dev/null || fail "the unpacked orvel shows no window of class $wm_class"
echo "package $(basename "$deb"): unpacked programs run, menu entry and metadata resolve"
