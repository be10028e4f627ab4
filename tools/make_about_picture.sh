#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the About window's picture (356 x 141, 8-bit RGB PNG): a matrix in
# brackets beside a plotted curve. The result is kept in the repository as
# ui/linalg.png; run this again only to change the picture.
set -euo pipefail
out="${1:-$(dirname "$0")/../ui/linalg.png}"

# A damped wave in the plot box 200..346 x 14..126, its axis at y = 70.
curve=$(awk 'BEGIN {
  for (i = 0; i <= 72; ++i) {
    t = i / 72 * 4 * 3.14159265;
    printf "%d,%d ", 200 + i * 2, 70 - 46 * exp(-t / 6) * sin(t);
  }
}')

convert -size 356x141 xc:'#f4f1e8' \
  -fill '#ffffff' -stroke '#9a9a9a' -strokewidth 1 -draw 'rectangle 196,10 350,130' \
  -stroke '#c8c8c8' -draw 'line 196,70 350,70' -draw 'line 273,10 273,130' \
  -fill none -stroke '#1f4e9c' -strokewidth 2 -draw "polyline $curve" \
  -stroke '#202020' -strokewidth 3 \
  -draw 'line 16,14 16,126' -draw 'line 16,14 26,14' -draw 'line 16,126 26,126' \
  -draw 'line 176,14 176,126' -draw 'line 176,14 166,14' -draw 'line 176,126 166,126' \
  -stroke none -fill '#202020' -font DejaVu-Sans -pointsize 24 \
  -draw 'text 36,48 "2"' -draw 'text 86,48 "-1"' -draw 'text 144,48 "0"' \
  -draw 'text 30,82 "-1"' -draw 'text 92,82 "2"' -draw 'text 138,82 "-1"' \
  -draw 'text 36,116 "0"' -draw 'text 86,116 "-1"' -draw 'text 144,116 "2"' \
  -fill '#c0392b' -pointsize 14 -draw 'text 318,124 "Plot"' \
  -alpha off -depth 8 -define png:color-type=2 "PNG24:$out"
