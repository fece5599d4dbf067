#!/usr/bin/env bash
# Builds everything and runs every test, stage by stage, then one closing line
# "tests: N passed, 0 failed" summing every suite that ran (any failure stops
# the script first, with its status).
#   bash scripts/test.sh              every stage, in the order below
#   bash scripts/test.sh STAGE...     only those, in the order below
#   bash scripts/test.sh --list       the stages
#
# Stages:
#   format  the C++ sources against .clang-format
#   lint    shellcheck over every shell script, ESLint over web/
#   native  the release build (gcc) and its CTest suites, the Debian package
#           and its checks among them (never installing it)
#   web     the browser build: the kernel tests in WebAssembly, then the page
#           in Chromium, Firefox and WebKit against the release build, as a
#           phone, and sharing a moment (Chromium)
#   arm64   a cross build under qemu: its kernel tests, its package, and the
#           whole show byte for byte against the x86-64 build
#   asan    the build with AddressSanitizer and UndefinedBehaviorSanitizer
#           (clang, so that both compilers build the code warning-free)
#   fuzz    a minute of libFuzzer per reader (VANTRELLE_FUZZ_SECONDS)
# web and arm64 use the native stage's build/ (run it first, or before).
#
# Adding a suite: inside its stage, run it as `suite LOG COMMAND...`, for
# example `suite unit.log node --test web/test/unit/`. It stops the script when
# COMMAND fails and counts the passes of its closing line: CTest's "... tests
# failed out of N", GoogleTest's "[  PASSED  ] N tests.", node:test's "# pass N"
# (or "ℹ pass N"), or "NAME: N passed" alone on a line. A new stage is a
# function stage_NAME, its name in `stages`, and the setup groups it needs in
# `needs`.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=(format lint native web arm64 asan fuzz)
declare -A needs=([format]=test [lint]="test web" [native]="build video test" [web]="build test web browsers"
                  [arm64]="build arm64" [asan]="build test" [fuzz]=test)

jobs=$(nproc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Debian's emscripten finds its JavaScript modules only through NODE_PATH.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
logs=build-logs
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0

# suite LOG COMMAND...: runs COMMAND, its output also in $logs/LOG, and counts its passes.
suite() {
  local log=$logs/$1
  shift
  mkdir -p "$logs"
  "$@" 2>&1 | tee "$log"
  local n
  n=$(sed -n -e 's/.*tests failed out of \([0-9][0-9]*\)$/\1/p' \
             -e 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\{0,1\}\.$/\1/p' \
             -e 's/^\(# \|ℹ \)pass \([0-9][0-9]*\)$/\2/p' \
             -e 's/^[A-Za-z0-9 ]*: \([0-9][0-9]*\) passed.*/\1/p' "$log" | tail -n 1)
  passed=$((passed + ${n:-0}))
}

stage_format() { bash scripts/check_format.sh; }

stage_lint() { bash scripts/lint.sh; }

stage_native() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DVANTRELLE_BENCH=ON
  cmake --build build -j "$jobs"
  suite native.log ctest --test-dir build --output-on-failure -j "$jobs"
}

# The browser build in Debian's Chromium, Firefox ESR and WebKit, frame for
# frame against the release build; puppeteer-core comes from npm at the
# version locked in web/test/.
stage_web() {
  bash scripts/web.sh --build-only
  # The kernel tests (vector code against plain oracles) with WebAssembly's vectors, under Node.js.
  cmake --build build-web -j "$jobs" --target vantrelle_kernel_tests
  suite kernel-tests.log node build-web/bin/vantrelle_kernel_tests.js
  npm ci --prefix web/test --no-audit --no-fund
  suite web-tests.log node web/test/run.mjs build-web/site build/bin
  # The page as a phone meets it (touch, turning, wake lock), offline after one visit, and axe-core's checks.
  suite phone-tests.log node web/test/phone.mjs build-web/site build/bin
  # The title card: its picture before the data has arrived, exact; nothing moves from loading to the show's start.
  suite title-card-tests.log node web/test/title_card.mjs build-web/site build/bin
  # Sharing a moment: the copied link opens on it, the still equals the render tool's PNG.
  suite share-tests.log node web/test/share.mjs build-web/site build/bin
  # Reduced flashing: the switches, the kept choice against the system's preference, the bar's marks, the map made in a worker, clips.
  suite flashing-tests.log node web/test/flashing.mjs build-web/site build/bin
  # Picture-in-picture (the show on in a hidden tab, the small window's play and pause) and the narrow strip's overflow menu.
  suite strip-tests.log node web/test/strip.mjs build-web/site build/bin
  # What goes wrong: no engine, unusable ?data= and packs, the offline copy across builds, servers and quotas.
  suite faults-tests.log node web/test/faults.mjs build-web/site build/bin
  # The page's pure logic (the data pack, its address, the soundtrack's head, the clip range, the keys) under Node's own test runner.
  suite unit-tests.log node --test --test-reporter=tap web/test/unit/
}

# arm64, cross-built (the programs, the package and the kernel tests) and run
# under qemu: NEON against the plain oracles, the package unpacked and run,
# then the whole show every 97 ms from both machines' builds on one data set,
# compared by hash. The data set comes from the x86-64 generator: the same
# bytes, in seconds instead of many minutes under qemu.
stage_arm64() {
  cmake -S . -B build-arm64 -G Ninja --toolchain cmake/toolchains/aarch64-linux-gnu.cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DVANTRELLE_DATAGEN="$PWD/build/bin/vantrelle-datagen"
  cmake --build build-arm64 -j "$jobs"
  suite arm64.log ctest --test-dir build-arm64 --output-on-failure -j "$jobs"
  local arm64=(qemu-aarch64 -L /usr/aarch64-linux-gnu)
  local show=(--quiet --data build/bin --from 0 --to 251328 --step 97 --raw -)
  local x86_64_frames arm64_frames
  x86_64_frames=$(build/bin/vantrelle-render "${show[@]}" | sha256sum)
  arm64_frames=$("${arm64[@]}" build-arm64/bin/vantrelle-render "${show[@]}" | sha256sum)
  if [ "$arm64_frames" != "$x86_64_frames" ]; then
    echo "arm64: the show's frames differ from x86-64's (${arm64_frames%% *} against ${x86_64_frames%% *})" >&2
    exit 1
  fi
  echo "arm64: the whole show every 97 ms is identical to x86-64's"
}

stage_asan() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTRELLE_SANITIZE=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
  cmake --build build-asan -j "$jobs"
  suite asan.log ctest --test-dir build-asan --output-on-failure -j "$jobs"
}

# The data readers under libFuzzer (clang, its own build folder), starting
# from the saved inputs in fuzz/corpus/. New inputs go to the scratch folder;
# a failing input is kept in build-fuzz/ and its status ends the script.
stage_fuzz() {
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
  cmake --build build-fuzz -j "$jobs"
  local seconds=${VANTRELLE_FUZZ_SECONDS:-60} target status
  for target in palette_reader mesh_reader data_directory soundtrack_decode flash_map_reader; do
    echo "fuzz: $target for ${seconds} s"
    mkdir -p "$scratch/$target"
    status=0  # the pipeline's status is the fuzzer's (pipefail); || keeps set -e from stopping here
    build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build-fuzz/$target-" "$scratch/$target" "fuzz/corpus/$target" 2>&1 | tail -n 12 || status=$?
    rm -rf "${scratch:?}/$target"
    if [ "$status" -ne 0 ]; then
      echo "fuzz: $target failed; the input is in build-fuzz/" >&2
      exit "$status"
    fi
  done
  echo "fuzz: every target ran clean"
}

if [ "${1:-}" = --list ]; then
  printf '%s\n' "${stages[@]}"
  exit 0
fi
declare -A chosen=()
for name in "$@"; do
  if [ -z "${needs[$name]+set}" ]; then
    echo "test: unknown stage '$name' (say ${stages[*]})" >&2
    exit 2
  fi
  chosen[$name]=1
done
groups=()
for name in "${stages[@]}"; do
  if [ $# -eq 0 ] || [ -n "${chosen[$name]+set}" ]; then
    read -r -a listed <<< "${needs[$name]}"
    groups+=("${listed[@]}")
  fi
done
mapfile -t groups < <(printf '%s\n' "${groups[@]}" | awk '!seen[$0]++')
bash scripts/setup.sh "${groups[@]}"

for name in "${stages[@]}"; do
  if [ $# -eq 0 ] || [ -n "${chosen[$name]+set}" ]; then
    echo "test: stage $name"
    "stage_$name"
  fi
done
echo "tests: $passed passed, 0 failed"
