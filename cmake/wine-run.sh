#!/usr/bin/env bash
# Runs one Windows program under 64-bit Wine in the build tree's prefix.
# cmake/wine-session.sh (called by `make test`) provides the display and a
# long-lived wineserver; without it a display is started for this one run.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
"$here/wine-prefix.sh" || exit 1
launcher=(/usr/lib/wine/wine64)
[ -n "${DISPLAY:-}" ] || launcher=(xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64)
# Wine's helper processes outlive the program and would hold a pipe open, so the
# output goes through a file.
output=$(mktemp)
"${launcher[@]}" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
