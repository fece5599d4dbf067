#!/usr/bin/env bash
# The Debian package, checked without installing it. check_package.sh BUILD_DIR STEP [EMULATOR...]:
#   build     cpack makes the package once and it is unpacked into BUILD_DIR/package-test/root
#   contents  the programs, the whole data set, the manual pages, the desktop entry, the metainfo,
#             the licence and the icons are in it
#   run       the unpacked vantrelle-render finds its data through ../share/vantrelle and draws the build tree's frame
#             (run through EMULATOR, when given, for a package built for another machine)
#   lintian   lintian finds no error and no warning
#   reproducible  packed twice, in two folders a second apart, the bytes are the same; every file is
#             dated SOURCE_DATE_EPOCH when it is set, else the last commit's time
set -euo pipefail
build=$1
step=$2
emulator=("${@:3}")
work=$build/package-test
package() { ls "$work"/vantrelle_*.deb; }
case $step in
build)
  rm -rf "$work" && mkdir -p "$work"
  cpack --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
  dpkg-deb -x "$(package)" "$work/root" ;;
contents)
  listing=$(dpkg-deb -c "$(package)" | awk '{print $6}' | sed 's|^\./|/|')
  data=$(cd "$build/bin" && find gfx mesh music -type f | sed 's|^|/usr/share/vantrelle/|')
  missing=0
  for file in /usr/bin/vantrelle /usr/bin/vantrelle-render /usr/bin/vantrelle-datagen $data \
      /usr/share/man/man6/vantrelle.6.gz /usr/share/man/man1/vantrelle-render.1.gz \
      /usr/share/applications/org.vantrelle.VantrelleX2.desktop /usr/share/metainfo/org.vantrelle.VantrelleX2.metainfo.xml \
      /usr/share/doc/vantrelle/copyright /usr/share/icons/hicolor/{256x256,128x128,64x64,32x32}/apps/vantrelle.png; do
    grep -qxF "$file" <<< "$listing" || { echo "not in the package: $file"; missing=1; }
  done
  exit $missing ;;
run)
  rm -rf "$work/unpacked" "$work/tree"
  "${emulator[@]}" "$work/root/usr/bin/vantrelle-render" --quiet --at 100000 --png "$work/unpacked"
  "${emulator[@]}" "$build/bin/vantrelle-render" --quiet --at 100000 --png "$work/tree"
  cmp "$work/unpacked/t100000.png" "$work/tree/t100000.png" ;;
lintian)
  lintian --fail-on error,warning "$(package)" ;;
reproducible)
  # The files' dates in a package, one line each distinct date.
  dates() { dpkg-deb --fsys-tarfile "$1" | tar -t -v --full-time | awk '{print $4 " " $5}' | sort -u; }
  pack() {
    rm -rf "$1" && mkdir -p "$1"
    cpack --config "$build/CPackConfig.cmake" -B "$1" > "$1/cpack.log" || { cat "$1/cpack.log"; exit 1; }
  }
  (unset SOURCE_DATE_EPOCH; pack "$work/first")
  sleep 1
  (unset SOURCE_DATE_EPOCH; pack "$work/second")
  cmp "$work"/first/vantrelle_*.deb "$work"/second/vantrelle_*.deb
  source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")
  if commit=$(git -C "$source" log -1 --format=%ct 2>/dev/null); then
    expected=$(date -u -d "@$commit" '+%Y-%m-%d %H:%M:%S')
    [ "$(dates "$work"/first/vantrelle_*.deb)" = "$expected" ] || { echo "not dated $expected by the last commit"; exit 1; }
  fi
  (export SOURCE_DATE_EPOCH=1234567890; pack "$work/dated")
  [ "$(dates "$work"/dated/vantrelle_*.deb)" = "2009-02-13 23:31:30" ] || { echo "SOURCE_DATE_EPOCH not honoured"; exit 1; } ;;
*)
  echo "check_package.sh: unknown step $step" >&2; exit 2 ;;
esac
