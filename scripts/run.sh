#!/usr/bin/env bash
# Sets everything up, builds, and runs the show. On a machine with no display
# it writes the whole show, with its soundtrack, to build/vantrelle.mp4.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display here (neither DISPLAY nor WAYLAND_DISPLAY is set); writing the whole show to build/vantrelle.mp4 instead"
  build/bin/vantrelle-render --video build/vantrelle.mp4
  echo "run: the show is in build/vantrelle.mp4 (1200 x 720, 60 frames a second, with its soundtrack)"
  exit 0
fi
exec build/bin/vantrelle "$@"
