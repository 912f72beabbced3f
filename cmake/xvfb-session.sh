#!/usr/bin/env bash
# Runs a command with a virtual display of its own, stopped afterwards. Xvfb
# picks a free display number itself, so sessions started side by side never
# take the same one. Without a reset when the last client leaves: a desktop's
# server always has clients, and a program's short connection (the panel reads
# the display's resources) must not take the server down under the next one.
set -euo pipefail
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
xvfb=$!
stop() { kill "$xvfb" 2>/dev/null || true; rm -f "$numberFile"; }
trap stop EXIT
for _ in $(seq 100); do [ -s "$numberFile" ] && break; sleep 0.1; done
[ -s "$numberFile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$numberFile")"
"$@"
