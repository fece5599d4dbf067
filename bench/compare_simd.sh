#!/usr/bin/env bash
# The whole show's frames per second with vector code and with plain loops
# (VANTRELLE_SIMD=OFF), side by side in one run: builds both release builds
# (build/ and build-scalar/), then runs their show benchmarks in turn, ROUNDS
# times (3 by default), so that a busy machine slows both alike, and prints
# each run and the median of each. More show-benchmark programs given after
# ROUNDS (an older build, say) join the rotation.
#   bash bench/compare_simd.sh [ROUNDS [SHOW_BENCH...]]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}
declare -A program=([vector]=build/bin/vantrelle_show_bench [scalar]=build-scalar/bin/vantrelle_show_bench)
names=(vector scalar)
for other in "${@:2}"; do
  program[$other]=$other
  names+=("$other")
done

for variant in build:ON build-scalar:OFF; do
  dir=${variant%%:*}
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_SIMD="${variant##*:}" >/dev/null
  cmake --build "$dir" --target vantrelle_show_bench >/dev/null
done

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for ((round = 1; round <= rounds; ++round)); do
  for name in "${names[@]}"; do
    # "whole show: N frames in S s of CPU time, F frames per second; ..."
    fps=$("${program[$name]}" | sed -n 's/^whole show: .*, \([0-9]*\) frames per second.*/\1/p')
    echo "round $round: $name $fps frames/s"
    echo "$name $fps" >>"$results"
  done
done
echo "median frames per second (CPU time) over $rounds rounds:"
for name in "${names[@]}"; do
  awk -v n="$name" '$1 == n {print $2}' "$results" | sort -n |
    awk -v n="$name" '{v[NR] = $1} END {printf "  %6d  %s\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, n}'
done
