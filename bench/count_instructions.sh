#!/usr/bin/env bash
# Counts the instructions of show frames with callgrind: a repeatable figure,
# unlike time. Needs a release build (build/ by default, or the folder given).
# Data: build/bin's default data set when it exists.
#   bash bench/count_instructions.sh [BUILD_DIR] [DATA_DIR [MS...]]
#     one frame from the middle of each of the 25 segments, or the times given
#   bash bench/count_instructions.sh --every MS [BUILD_DIR] [DATA_DIR]
#     every frame whose time is a multiple of MS (16, 32, 64, ...); prints the
#     TOP (default 20) costliest. Every 64 ms takes a few minutes; every 16 ms
#     about four times that.
set -euo pipefail
cd "$(dirname "$0")/.."
every=()
if [ "${1:-}" = --every ]; then
  every=(--every "${2:-}")
  if ! [[ ${2:-} =~ ^[0-9]+$ ]] || [ $(($2 % 16)) -ne 0 ] || [ "$2" -eq 0 ]; then
    echo "count_instructions: --every needs a positive multiple of 16 ms (the show's frame step), not '${2:-}'" >&2
    exit 1
  fi
  shift 2
fi
build=${1:-build}
driver="$build/bin/vantrelle_frame_instructions"
if [ ! -x "$driver" ]; then
  echo "count_instructions: $driver is missing; build first (cmake --build $build)" >&2
  exit 1
fi
# KEEP=DIR keeps the callgrind file there for callgrind_annotate.
if [ -n "${KEEP:-}" ]; then
  out=$KEEP
  mkdir -p "$out"
else
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
fi
# One file with a part per frame: thousands of separate dumps would be slow.
valgrind --tool=callgrind --instr-atstart=no --collect-atstart=no --combine-dumps=yes \
  --callgrind-out-file="$out/callgrind.out" "$driver" "${every[@]}" "${@:2}" >/dev/null 2>"$out/valgrind.log" || {
  cat "$out/valgrind.log" >&2
  exit 1
}
# One line per frame: segment, time in ms, instructions.
awk '/^desc: Trigger: Client Request: segment / { segment = $6; at = $8 }
     /^totals: / && segment != "" { print segment, at, $2; segment = "" }' "$out/callgrind.out" >"$out/frames"
if [ ${#every[@]} -eq 0 ]; then
  printf '%-8s %-10s %14s\n' segment "at ms" instructions
  sort -n "$out/frames" | awk '{ printf "%-8s %-10s %14s\n", $1, $2, $3 }'
  exit 0
fi
awk '{ n++; sum += $3; if ($3 > max) max = $3 }
     END { printf "%d frames every %d ms: mean %.0f, most %d instructions\n", n, step, sum / n, max }' \
  step="${every[1]}" "$out/frames"
printf '%-8s %-10s %14s\n' segment "at ms" instructions
# awk reads sort to the end; head would close the pipe, which pipefail reports.
sort -k3,3nr -k2,2n "$out/frames" | awk -v top="${TOP:-20}" 'NR <= top { printf "%-8s %-10s %14s\n", $1, $2, $3 }'
