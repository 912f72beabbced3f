#!/usr/bin/env bash
# Creates the Wine prefix once. Without a window manager Wine waits about two
# seconds on every window it destroys unless its windows are unmanaged.
set -euo pipefail
[ -f "$WINEPREFIX/.lumivane-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.lumivane-ready"
