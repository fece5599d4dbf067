#!/usr/bin/env bash
# Counts the instructions of one frame from the middle of each of the 25
# segments with callgrind: a repeatable figure, unlike time. Needs a release
# build (build/ by default, or the folder given). Data: build/bin's default
# data set when it exists. Times in ms after the data directory replace the
# segments' middles.
#   bash bench/count_instructions.sh [BUILD_DIR] [DATA_DIR [MS...]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
driver="$build/bin/vantrelle_frame_instructions"
if [ ! -x "$driver" ]; then
  echo "count_instructions: $driver is missing; build first (cmake --build $build)" >&2
  exit 1
fi
# KEEP=DIR keeps the callgrind files there for callgrind_annotate.
if [ -n "${KEEP:-}" ]; then
  out=$KEEP
  mkdir -p "$out"
else
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
fi
valgrind --tool=callgrind --instr-atstart=no --collect-atstart=no \
  --callgrind-out-file="$out/callgrind.out" "$driver" "${@:2}" >/dev/null 2>"$out/valgrind.log" || {
  cat "$out/valgrind.log" >&2
  exit 1
}
printf '%-8s %-10s %14s\n' segment "at ms" instructions
for f in "$out"/callgrind.out.*; do
  trigger=$(sed -n 's/^desc: Trigger: Client Request: //p' "$f")
  [ -n "$trigger" ] || continue
  total=$(sed -n 's/^totals: *//p; s/^summary: *//p' "$f" | head -n 1)
  segment=$(echo "$trigger" | awk '{print $2}')
  at=$(echo "$trigger" | awk '{print $4}')
  printf '%-8s %-10s %14s\n' "$segment" "$at" "$total"
done | sort -n
