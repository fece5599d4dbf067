#!/usr/bin/env bash
# The Debian package, checked without installing it. check_package.sh BUILD_DIR STEP [EMULATOR...]:
#   build     cpack makes the package once and it is unpacked into BUILD_DIR/package-test/root
#   contents  the programs, the whole data set, the manual pages, the desktop entry, the metainfo,
#             the licence and the icons are in it
#   run       the unpacked vantrelle-render finds its data through ../share/vantrelle and draws the build tree's frame
#             (run through EMULATOR, when given, for a package built for another machine)
#   lintian   lintian finds no error and no warning
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
*)
  echo "check_package.sh: unknown step $step" >&2; exit 2 ;;
esac
