#!/usr/bin/env bash
# Saves a picture of the plug-in's panel, opened by the stand-in host in a
# window on a virtual display, as a PNG: the Linux .so's natively when the
# build folder holds one, otherwise the DLL's under Wine: the 32-bit DLL's
# under 32-bit Wine for a folder of the win32 preset (or named win32), else
# the 64-bit DLL's.
#   tools/editor-screenshot.sh OUT.png [BUILD_DIR, default build/win64] [SCALE]
# With a scale (1 to 3), the host hands it to the plug-in as its content scale factor.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 OUT.png [BUILD_DIR] [SCALE]" >&2; exit 2; }
out=$(realpath -m "$1")
build=$(realpath -m "${2:-$root/build/win64}")
scale=(${3:+"$3"})
tool=$build/tools/editor-screenshot/lumivane-editor-screenshot
bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"' EXIT
mkdir -p "$(dirname "$out")"
if [ -f "$build/Lumivane.so" ]; then
  [ -x "$tool" ] || cmake --build "$build" -j2 --target lumivane-editor-screenshot >/dev/null
  "$root/cmake/xvfb-session.sh" "$tool" "$build/Lumivane.so" "$bmp" "${scale[@]}" >/dev/null
else
  arch=win64
  if grep -qs 'toolchain-mingw-i686' "$build/CMakeCache.txt" || [ "$(basename "$build")" = win32 ]; then
    arch=win32
    reason=$("$root/tools/setup/runs-32bit.sh") || { echo "$0: cannot run the 32-bit DLL here: $reason" >&2; exit 1; }
  fi
  if [ ! -f "$tool.exe" ] || [ ! -f "$build/Lumivane.dll" ]; then
    # The preset's configuration in the folder given, without its copy into dist/.
    cmake -S "$root" --preset "$arch" -B "$build" -DLUMIVANE_DIST_DIR= >/dev/null
    cmake --build "$build" -j2 --target lumivane-editor-screenshot Lumivane >/dev/null
  fi
  "$root/cmake/wine-session.sh" "$arch" "$root/cmake/wine-run.sh" "$arch" "$tool.exe" "Z:$build/Lumivane.dll" "Z:$bmp" "${scale[@]}" \
    >/dev/null
fi
convert "$bmp" "$out"
echo "$out"
