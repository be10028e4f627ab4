#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-test/, and runs the whole suite (GUI
# tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON -DORVEL_TESTS=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-test
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" "$@"
