#!/usr/bin/env bash
# Sets everything up, builds, and runs the show.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
if [ -x build/bin/vantrelle ]; then
  exec build/bin/vantrelle "$@"
fi
echo "run: built everything; the show program is not built yet. When it is, this runs build/bin/vantrelle"
