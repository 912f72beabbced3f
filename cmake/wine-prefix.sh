#!/usr/bin/env bash
# Creates the Wine prefix of the architecture in WINEARCH once. Without a
# window manager Wine waits about two seconds on every window it destroys
# unless its windows are unmanaged.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" "${WINEARCH:-win64}"
[ -f "$WINEPREFIX/.lumivane-ready" ] && exit 0
mkdir -p "$WINEPREFIX"
"$wineLoader" wineboot -i >/dev/null 2>&1 || true
"$wineLoader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.lumivane-ready"
