#!/usr/bin/env bash
# Runs a command with one virtual display and one wineserver kept alive for all
# the Wine programs it starts, then stops both:
#   cmake/wine-session.sh [win32|win64, default win64] COMMAND [ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
arch=win64
case ${1:-} in win32 | win64) arch=$1 && shift ;; esac
. "$here/wine-env.sh" "$arch"
exec "$here/xvfb-session.sh" "$here/wine-server.sh" "$@"
