#!/usr/bin/env bash
# Runs a command with one wineserver kept alive for all the Wine programs it
# starts (in the prefix of WINEARCH), then stops it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
"$here/wine-prefix.sh"
/usr/lib/wine/wineserver -p
"$@"
