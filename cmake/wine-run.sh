#!/usr/bin/env bash
# Runs one Windows program under Wine in the build tree's prefix:
#   cmake/wine-run.sh [win32|win64, default win64] PROGRAM.exe [ARGUMENTS...]
# cmake/wine-session.sh (called by `make test`) provides the display and a
# long-lived wineserver; without it a display is started for this one run.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
arch=win64
case ${1:-} in win32 | win64) arch=$1 && shift ;; esac
. "$here/wine-env.sh" "$arch"
"$here/wine-prefix.sh" || exit 1
launcher=("$wineLoader")
[ -n "${DISPLAY:-}" ] || launcher=(xvfb-run -a -s "-screen 0 1024x768x24" "$wineLoader")
# Wine's helper processes outlive the program and would hold a pipe open, so the
# output goes through a file.
output=$(mktemp)
"${launcher[@]}" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
