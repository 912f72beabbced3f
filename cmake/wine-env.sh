# Sourced by the Wine scripts with the architecture, win64 (the default) or
# win32: Wine's environment for it, and `wineLoader`, its loader. Each
# architecture has a prefix of its own in the build tree (a prefix stays the
# architecture it was made with); a WINEPREFIX given for the same
# architecture is kept.
wineArch=${1:-win64}
case $wineArch in
  win64) wineLoader=/usr/lib/wine/wine64 wineDefaultPrefix=wineprefix ;;
  win32) wineLoader=/usr/lib/wine/wine wineDefaultPrefix=wineprefix32 ;;
  *) echo "unknown Wine architecture: $wineArch (win32 or win64)" >&2; exit 2 ;;
esac
[ "${WINEARCH:-win64}" = "$wineArch" ] && [ -n "${WINEPREFIX:-}" ] \
  || WINEPREFIX=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/$wineDefaultPrefix
export WINEARCH=$wineArch WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
