#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs, only those missing.
set -euo pipefail
packages=(cmake g++ make libfltk1.3-dev libeigen3-dev libopenblas-dev liblapacke-dev
  libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps x11-xserver-utils imagemagick libgtk2.0-0
  fluid librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian man-db groff-base
  libpng-dev libgmp-dev libsleef-dev xclip texlive-latex-base python3-numpy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
