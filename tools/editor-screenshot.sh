#!/usr/bin/env bash
# Saves a picture of the plug-in's panel, opened by the stand-in host in a
# window under Wine and a virtual display, as a PNG.
#   tools/editor-screenshot.sh OUT.png [BUILD_DIR, default build/win64]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 OUT.png [BUILD_DIR]" >&2; exit 2; }
out=$(realpath -m "$1")
build=$(realpath -m "${2:-$root/build/win64}")
if [ ! -f "$build/tools/editor-screenshot/lumivane-editor-screenshot.exe" ] || [ ! -f "$build/Lumivane.dll" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null
  cmake --build "$build" -j2 --target lumivane-editor-screenshot Lumivane >/dev/null
fi
bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"' EXIT
mkdir -p "$(dirname "$out")"
"$root/cmake/wine-session.sh" /usr/lib/wine/wine64 \
  "$build/tools/editor-screenshot/lumivane-editor-screenshot.exe" "Z:$build/Lumivane.dll" "Z:$bmp" >/dev/null
convert "$bmp" "$out"
echo "$out"
