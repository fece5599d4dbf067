#!/usr/bin/env bash
# Builds the show for the browser into build-web/site/ (the page, the engine
# as WebAssembly, the default data set and its soundtrack, icons, the
# manifest and the service worker) and serves it at
# http://127.0.0.1:8000/. With --build-only it builds the site and stops.
# The engine is built twice, with WebAssembly vectors and without.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build web

jobs=$(nproc)
# Debian's emcc runs on Node.js, which must see Debian's JavaScript modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# The data set is made by the native generator, its flash map by the render
# tool; the icons and the link preview's poster are drawn from a frame of the show.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs" --target vantrelle_data vantrelle_flash_map vantrelle_icon

emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-web -j "$jobs"
# The engine without vectors, for browsers that have none, beside the other.
emcmake cmake -S . -B build-web-scalar -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_SIMD=OFF
cmake --build build-web-scalar -j "$jobs" --target vantrelle_web
cp build-web-scalar/site/vantrelle-scalar.mjs build-web-scalar/site/vantrelle-scalar.wasm build-web/site/
# The muxer for saved clips comes from npm at the version locked in web/.
npm ci --prefix web --no-audit --no-fund
# The data set (packed and plain), icons, poster and the service worker's version.
node web/build_site.mjs build-web/site build/bin build/packaging/staging/icons
echo "web: the site is in build-web/site/ ($(du -sh build-web/site | cut -f1)); copy the folder to any static web host"

if [ "${1:-}" != --build-only ]; then
  echo "web: serving http://127.0.0.1:8000/ (Ctrl+C stops)"
  exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/site
fi
