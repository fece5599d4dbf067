#!/usr/bin/env bash
# Installs only what building and watching need, builds the three programs
# and the data set (no tests, no benchmarks), and runs the show. On a machine
# with no display it writes the whole show, with its soundtrack, to
# build/vantrelle.mp4 (and installs ffmpeg for that).
set -euo pipefail
cd "$(dirname "$0")/.."
display=yes
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=no
fi
if [ $display = yes ]; then
  bash scripts/setup.sh build
else
  bash scripts/setup.sh build video
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVANTRELLE_BENCH=OFF
cmake --build build -j "$(nproc)" --target vantrelle vantrelle-render vantrelle-datagen vantrelle_data
if [ $display = no ]; then
  echo "run: no display here (neither DISPLAY nor WAYLAND_DISPLAY is set); writing the whole show to build/vantrelle.mp4 instead"
  build/bin/vantrelle-render --video build/vantrelle.mp4
  echo "run: the show is in build/vantrelle.mp4 (1200 x 720, 60 frames a second, with its soundtrack)"
  exit 0
fi
exec build/bin/vantrelle "$@"
