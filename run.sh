#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the Release build in build/ and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVEL_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/orvel ]; then
  exec build/orvel
fi
echo "Built: $(cd build && ls orvel orvel-batch 2>/dev/null | tr '\n' ' ')"
