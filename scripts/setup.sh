#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Safe to run again: with everything present it installs nothing.
# `setup.sh web` adds what the browser build and its tests need.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libmpg123-dev libmp3lame-dev
  libfreetype-dev fonts-dejavu-core libpng-dev libcli11-dev
  ffmpeg xvfb xdotool clang
  valgrind libclang-rt-14-dev
)
if [ "${1:-}" = web ]; then
  packages+=(emscripten chromium-headless-shell)
  # npm comes with some builds of Node.js; Debian's own package only where it does not.
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo_cmd=(sudo -n)
else
  echo "setup: these packages are missing and I cannot install them without root: ${missing[*]}" >&2
  echo "setup: run 'sudo scripts/setup.sh' or install them with apt-get" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
