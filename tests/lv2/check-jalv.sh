#!/usr/bin/env bash
# jalv.gtk3 hosts the LV2 plug-in with its own panel, on a JACK server with
# the dummy driver, on the display the tests share (DISPLAY). The panel must
# show the VST 2 panel's picture pixel for pixel, and a real drag of its
# filter knob to Bypass must reach the plug-in's port: a 12 kHz tone that the
# default low-pass filters away comes through unchanged afterwards.
# jalv 1.6.6 gives a UI no ui:touch, so the touches are the UI library's own
# test's (Lv2PanelUiTest). First, the UI library exports its descriptor
# function only.
# Usage: check-jalv.sh LV2_FOLDER REFERENCE.png
set -euo pipefail
bundles=$1
reference=$2
uri=urn:quelldar:lumivane

work=$(mktemp -d)
pids=()
# The clients first, the server last: a client that leaves after its server
# leaves its semaphore behind in /dev/shm.
stop() {
  local i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null || continue
    for _ in $(seq 30); do
      case $(ps -o stat= -p "$pid") in '' | Z*) break ;; esac
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/jalv.log" ] && grep -v dconf "$work/jalv.log" | tail -n 20 >&2
  exit 1
}
# Runs the command until it succeeds, for at most the given seconds: the
# machine may be loaded.
await() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

exports=$(nm -D --defined-only "$bundles/Lumivane.lv2/lumivane-ui.so" | awk '{print $3}')
[ "$exports" = lv2ui_descriptor ] || fail "lumivane-ui.so exports: $exports"

# A server, a home and settings of the test's own; the panel at the desktop's scale of 1.
export JACK_DEFAULT_SERVER=lumivane-jalv-$$ NO_AT_BRIDGE=1 LV2_PATH=$bundles HOME=$work GSETTINGS_BACKEND=memory
unset LUMIVANE_SCALE
client=lumivane-jalv
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 512 >"$work/jackd.log" 2>&1 &
pids+=($!)
jack_wait -w -t 15 >/dev/null 2>&1 || fail "the JACK server did not start"
jalv.gtk3 --jack-name "$client" --exact-jack-name "$uri" >"$work/jalv.log" 2>&1 &
pids+=($!)
jack_metro -n tone -b 120 -f 12000 -A 0.5 -D 400 >/dev/null 2>&1 &
pids+=($!)

# The panel: the window with no children inside jalv's window, of the picture's size.
size=$(identify -format '%wx%h' "$reference")
panel=
findPanel() {
  local top
  top=$(xdotool search --name '^Lumivane$' 2>/dev/null | head -n1) || return 1
  [ -n "$top" ] || return 1
  panel=$(xwininfo -tree -id "$top" | awk -v size="$size" '$0 ~ "^ +0x[0-9a-f]+ .*  " size "\\+" {id = $1} END {print id}')
  [ -n "$panel" ] && xwininfo -tree -id "$panel" | grep -q '^ *0 children' || return 1
  # Room on the left of the knob for the drag.
  xdotool windowmove --sync "$top" 200 200
}
await 20 findPanel || fail "jalv showed no panel of $size"

differingPixels() {
  import -window "$panel" "$work/panel.png"
  compare -metric AE "$reference" "$work/panel.png" null: 2>&1 || true
}
samePicture() { [ "$(differingPixels)" = 0 ]; }
await 10 samePicture || fail "the panel differs from the VST 2 panel in $(differingPixels) pixels"

# The tone through the plug-in's left channel, one second of its output at a time.
tonePorts() { jack_lsp | grep -qx tone:120_bpm && jack_lsp | grep -qx "$client:in_l"; }
await 10 tonePorts || fail "the tone or the plug-in has no JACK ports"
jack_connect tone:120_bpm "$client:in_l"
peak() {
  rm -f "$work/out.wav"
  timeout 10 jack_rec -f "$work/out.wav" -d 1 -b 16 -B 262144 "$client:out_l" >/dev/null 2>&1
  sox "$work/out.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a < b)}'; }
before=$(peak)
below "$before" 0.1 || fail "the default low-pass let the tone through (peak $before)"

# The filter knob stands at (20, 45) in the panel; 50 pixels to the left are a
# quarter of its travel, from the default LowP 12dB past Bypass. Each step waits for jalv's idle
# calls, which take the press, and for the knob's drag, which polls the pointer.
read -r x y < <(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x, y}')
xdotool mousemove $((x + 20)) $((y + 45))
sleep 0.3
xdotool mousedown 1
sleep 0.4
for dx in 10 0 -10 -20 -30; do
  xdotool mousemove $((x + dx)) $((y + 45))
  sleep 0.2
done
sleep 0.3
xdotool mouseup 1
sleep 0.5

pictureChanged() { [ "$(differingPixels)" != 0 ]; }
await 5 pictureChanged || fail "the knob did not move"
after=
passes() {
  after=$(peak)
  below 0.4 "$after"
}
await 10 passes || fail "the filter port did not reach the plug-in (peak $before, then $after)"
echo "The panel is the VST 2 panel's picture; the drag set the filter to Bypass (peak $before, then $after)"
