#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Safe to run again: with everything present it installs nothing.
#   bash scripts/setup.sh [GROUP...]   groups: build, video, test, web, browsers, arm64 (default: the first three)
#     build  compiler, CMake, Ninja and the libraries the programs and the data set need
#     video  ffmpeg, for vantrelle-render --video
#     test   GoogleTest, benchmarks, the virtual X server, clang's fuzzer and
#            sanitizer runtimes, valgrind, the package checkers, shellcheck,
#            and Python for the X tests' screen checks
#     web    Emscripten and headless Chromium, for the browser build and its tests
#     browsers Firefox ESR with a sound server (PulseAudio, its null output),
#            and WebKit's WebDriver with its MiniBrowser and a virtual X
#            server, for the page's tests in those engines
#     arm64  the arm64 cross compiler, qemu to run what it builds, and the arm64
#            libraries the programs and the kernel tests link (adds the architecture)
set -euo pipefail

declare -A groups=(
  [build]="build-essential cmake ninja-build pkg-config libsdl2-dev libmpg123-dev libmp3lame-dev
           libfreetype-dev fonts-dejavu-core libpng-dev libcli11-dev"
  [video]="ffmpeg"
  [test]="git libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool clang valgrind libclang-rt-14-dev
          desktop-file-utils lintian clang-format appstream shellcheck python3"
  [web]="emscripten chromium-headless-shell"
  [browsers]="firefox-esr pulseaudio webkit2gtk-driver xvfb"
  [arm64]="crossbuild-essential-arm64 qemu-user libsdl2-dev:arm64 libmpg123-dev:arm64 libmp3lame-dev:arm64
           libfreetype-dev:arm64 libpng-dev:arm64 libx11-dev:arm64 libgtest-dev:arm64"
)
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=(build video test)
packages=()
for group in "${wanted[@]}"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "setup: unknown group '$group' (say build, video, test, web, browsers or arm64)" >&2
    exit 2
  fi
  read -r -a listed <<< "${groups[$group]//$'\n'/ }"
  packages+=("${listed[@]}")
  # npm comes with some builds of Node.js; Debian's own package only where it does not.
  if [ "$group" = web ] && ! command -v npm >/dev/null 2>&1; then
    packages+=(npm)
  fi
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present (${wanted[*]})"
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo_cmd=(sudo -n)
else
  echo "setup: these packages are missing and I cannot install them without root: ${missing[*]}" >&2
  echo "setup: run 'sudo scripts/setup.sh ${wanted[*]}' or install them with apt-get" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# The :arm64 packages need the architecture known to dpkg before apt can see them.
if printf '%s\n' "${missing[@]}" | grep -q ':arm64$' &&
  ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${sudo_cmd[@]}" dpkg --add-architecture arm64
fi
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
