#!/usr/bin/env bash
# Runs a command with one virtual display and one wineserver kept alive for all
# the Wine programs it starts, then stops both.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
exec "$here/xvfb-session.sh" "$here/wine-server.sh" "$@"
