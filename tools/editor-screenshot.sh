#!/usr/bin/env bash
# Saves a picture of the plug-in's panel, opened by the stand-in host in a
# window on a virtual display, as a PNG: the Linux .so's natively when the
# build folder holds one, otherwise the 64-bit DLL's under Wine.
#   tools/editor-screenshot.sh OUT.png [BUILD_DIR, default build/win64]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 OUT.png [BUILD_DIR]" >&2; exit 2; }
out=$(realpath -m "$1")
build=$(realpath -m "${2:-$root/build/win64}")
tool=$build/tools/editor-screenshot/lumivane-editor-screenshot
bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"' EXIT
mkdir -p "$(dirname "$out")"
if [ -f "$build/Lumivane.so" ]; then
  [ -x "$tool" ] || cmake --build "$build" -j2 --target lumivane-editor-screenshot >/dev/null
  "$root/cmake/xvfb-session.sh" "$tool" "$build/Lumivane.so" "$bmp" >/dev/null
else
  if [ ! -f "$tool.exe" ] || [ ! -f "$build/Lumivane.dll" ]; then
    # The win64 preset's configuration in the folder given, without its copy into dist/.
    cmake -S "$root" --preset win64 -B "$build" -DLUMIVANE_DIST_DIR= >/dev/null
    cmake --build "$build" -j2 --target lumivane-editor-screenshot Lumivane >/dev/null
  fi
  "$root/cmake/wine-session.sh" /usr/lib/wine/wine64 "$tool.exe" "Z:$build/Lumivane.dll" "Z:$bmp" >/dev/null
fi
convert "$bmp" "$out"
echo "$out"
