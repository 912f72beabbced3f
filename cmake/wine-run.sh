#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine in the build tree's prefix.
# cmake/wine-session.sh (called by `make test`) provides the display and a
# long-lived wineserver; without it a display is started for this one run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
"$here/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 "$@"
fi
exec /usr/lib/wine/wine64 "$@"
