#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the three libFuzzer harnesses with clang-14 in build-fuzz/ and runs
# them side by side for SECONDS each, at the lowest CPU priority. A crash,
# sanitizer report or timeout (10 s of CPU time for one input, counted by the
# harness: the wall clock of a low-priority process measures the machine's
# other loads) leaves its input in build-fuzz/artifacts/ and
# the harness starts again on its grown corpus until the time is up. Ends
# with the figures of each harness (CPU time, executions, edges, corpus).
#   fuzz/run.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $# -ne 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "Usage: fuzz/run.sh SECONDS" >&2
  exit 2
fi
readonly seconds=$1 out=build-fuzz

./deps.sh
missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

CC=clang-14 CXX=clang++-14 cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=Debug -DORVEL_FUZZ=ON \
  -DORVEL_TESTS=OFF >/dev/null
cmake --build "$out" --target fuzz_line fuzz_keys fuzz_file encode_dict -j2
"$out/encode_dict" <fuzz/file_words.dict >"$out/file.dict"
mkdir -p "$out/artifacts"
# One OpenBLAS thread: the harness's CPU clock then sees all of an input's work.
export OPENBLAS_NUM_THREADS=1

# Runs one harness until the deadline, restarting it after each fault; the
# log gets the CPU time (user and system) of every run.
fuzz_one() {
  local name=$1 dict=$2 deadline=$(($(date +%s) + seconds))
  local log="$out/$name.log" corpus="$out/corpus-$name"
  mkdir -p "$corpus"
  : >"$log"
  while (($(date +%s) < deadline)); do
    local started left=$((deadline - $(date +%s)))
    started=$(date +%s)
    local TIMEFORMAT='cpu_seconds: %U %S'
    { time nice -n 19 "$out/fuzz_$name" -dict="$dict" -max_len=4096 -timeout=600 \
      -rss_limit_mb=4096 -max_total_time="$left" -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/$name-" "$corpus" "fuzz/corpus/$name" >>"$log" 2>&1 ||
      true; } 2>>"$log"
    # a fault at start would only repeat itself
    (($(date +%s) - started < 5)) && break
  done
}

fuzz_one line fuzz/line.dict &
fuzz_one keys fuzz/keys.dict &
fuzz_one file "$out/file.dict" &
wait

printf '%-6s %8s %12s %7s %9s %8s %7s\n' harness cpu_s executions edges features corpus faults
for name in line keys file; do
  log="$out/$name.log"
  cpu=$(awk '/^cpu_seconds:/ { s += $2 + $3 } END { printf "%.0f", s }' "$log")
  # every run of the harness: its final count, or its last status line when
  # a fault ended it
  runs=$(awk '/^INFO: Seed:/ { s += n; n = 0 }
    /^#[0-9]+/ { n = substr($1, 2) + 0 }
    /stat::number_of_executed_units/ { n = $2 }
    END { print s + n }' "$log")
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  edges=$(echo "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
  features=$(echo "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
  corpus=$(find "$out/corpus-$name" -type f | wc -l)
  # slow-unit files only note inputs over 10 s of wall time
  faults=$(find "$out/artifacts" -name "$name-*" ! -name "$name-slow-unit-*" | wc -l)
  printf '%-6s %8s %12s %7s %9s %8s %7s\n' "$name" "$cpu" "$runs" "$edges" "$features" "$corpus" "$faults"
done
