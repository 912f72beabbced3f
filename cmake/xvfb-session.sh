#!/usr/bin/env bash
# Runs a command with a virtual display of its own, stopped afterwards. Xvfb
# picks a free display number itself, so sessions started side by side never
# take the same one.
set -euo pipefail
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
xvfb=$!
stop() { kill "$xvfb" 2>/dev/null || true; rm -f "$numberFile"; }
trap stop EXIT
for _ in $(seq 100); do [ -s "$numberFile" ] && break; sleep 0.1; done
[ -s "$numberFile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$numberFile")"
"$@"
