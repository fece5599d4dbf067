#!/usr/bin/env bash
# Builds everything and runs every test: the release build (gcc), the show in
# Chromium, Firefox and WebKit against it, the build with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), then a minute of fuzzing per reader.
# The release build also makes the Debian package and checks it (never installing it).
# An arm64 cross build runs under qemu: its vector kernels, its package, and the
# whole show byte for byte against the x86-64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build video test web browsers arm64
bash scripts/check_format.sh

jobs=$(nproc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DVANTRELLE_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" | tee build/ctest.log

# The browser build in Debian's Chromium, Firefox ESR and WebKit, frame for
# frame against the release build; puppeteer-core comes from npm at the version
# locked in web/test/. Each engine's tests count in the closing line.
bash scripts/web.sh --build-only
# The kernel tests (vector code against plain oracles) with WebAssembly's vectors, under Node.js.
# Debian's emscripten finds its JavaScript modules only through NODE_PATH.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
cmake --build build-web -j "$jobs" --target vantrelle_kernel_tests
node build-web/bin/vantrelle_kernel_tests.js | tee build-web/kernel-tests.log
npm ci --prefix web/test --no-audit --no-fund
node web/test/run.mjs build-web/site build/bin | tee build-web/web-tests.log
# The page as a phone meets it (touch, turning, wake lock), offline after one visit, and axe-core's checks.
node web/test/phone.mjs build-web/site build/bin | tee build-web/phone-tests.log
# Sharing a moment: the copied link opens on it, the still equals the render tool's PNG.
node web/test/share.mjs build-web/site build/bin | tee build-web/share-tests.log
# What goes wrong: no engine, unusable ?data= and packs, the offline copy across builds, servers and quotas.
node web/test/faults.mjs build-web/site build/bin | tee build-web/faults-tests.log
# The page's pure logic (the data pack, its address) under Node's own test runner.
node --test --test-reporter=tap web/test/unit/ | tee build-web/unit-tests.log

# arm64, cross-built (the programs, the package and the kernel tests) and run
# under qemu: NEON against the plain oracles, the package unpacked and run,
# then the whole show every 97 ms from both machines' builds on one data set,
# compared by hash. The data set comes from the x86-64 generator: the same
# bytes, in seconds instead of many minutes under qemu.
cmake -S . -B build-arm64 -G Ninja --toolchain cmake/toolchains/aarch64-linux-gnu.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DVANTRELLE_DATAGEN="$PWD/build/bin/vantrelle-datagen"
cmake --build build-arm64 -j "$jobs"
ctest --test-dir build-arm64 --output-on-failure -j "$jobs" | tee build-arm64/ctest.log
arm64=(qemu-aarch64 -L /usr/aarch64-linux-gnu)
show=(--quiet --data build/bin --from 0 --to 251328 --step 97 --raw -)
x86_64_frames=$(build/bin/vantrelle-render "${show[@]}" | sha256sum)
arm64_frames=$("${arm64[@]}" build-arm64/bin/vantrelle-render "${show[@]}" | sha256sum)
if [ "$arm64_frames" != "$x86_64_frames" ]; then
  echo "arm64: the show's frames differ from x86-64's (${arm64_frames%% *} against ${x86_64_frames%% *})" >&2
  exit 1
fi
echo "arm64: the whole show every 97 ms is identical to x86-64's"

# The sanitizer build uses clang, so that both compilers build the code warning-free.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTRELLE_SANITIZE=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee build-asan/ctest.log

# Fuzzing: the data readers under libFuzzer (clang, its own build folder),
# about a minute each, starting from the saved inputs in fuzz/corpus/. New
# inputs go to a scratch folder, removed whatever happens; a failing input is
# kept in build-fuzz/ and its status ends the script.
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j "$jobs"
fuzz_seconds=${VANTRELLE_FUZZ_SECONDS:-60}
for target in palette_reader mesh_reader data_directory soundtrack_decode; do
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  echo "fuzz: $target for ${fuzz_seconds} s"
  status=0  # the pipeline's status is the fuzzer's (pipefail); || keeps set -e from stopping here
  build-fuzz/bin/fuzz_$target -max_total_time="$fuzz_seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/$target- "$scratch" "fuzz/corpus/$target" 2>&1 | tail -n 12 || status=$?
  rm -rf "$scratch"
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $target failed; the input is in build-fuzz/" >&2
    exit "$status"
  fi
done
echo "fuzz: every target ran clean"

# One closing line for all the suites (each has already stopped the script on a failure).
total=$( (sed -n 's/.*tests failed out of \([0-9]*\)$/\1/p' build/ctest.log build-arm64/ctest.log build-asan/ctest.log
          sed -n 's/^web: \([0-9]*\) passed.*/\1/p' build-web/web-tests.log
          sed -n 's/^phone: \([0-9]*\) passed.*/\1/p' build-web/phone-tests.log
          sed -n 's/^share: \([0-9]*\) passed.*/\1/p' build-web/share-tests.log
          sed -n 's/^faults: \([0-9]*\) passed.*/\1/p' build-web/faults-tests.log
          sed -n 's/^# pass \([0-9]*\)$/\1/p' build-web/unit-tests.log
          sed -n 's/^kernel tests: \([0-9]*\) passed.*/\1/p' build-web/kernel-tests.log) | awk '{n += $1} END {print n + 0}')
echo "tests: $total passed, 0 failed"
