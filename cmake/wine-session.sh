#!/usr/bin/env bash
# Runs a command with one virtual display and one wineserver kept alive for all
# the Wine programs it starts, then stops both.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
display=99
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
stop() { /usr/lib/wine/wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; }
trap stop EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
"$here/wine-prefix.sh"
/usr/lib/wine/wineserver -p
"$@"
