#!/usr/bin/env bash
# lv2apply, a host that tells no transport, renders a file through the LV2
# plug-in at the plug-in's own tempo; lumivane-host renders the same file
# through the VST 2 build with the same settings and its transport at that
# tempo. The samples must be the same, bit for bit. The step patterns and the
# noise against denormals are seeded from the clock when a plug-in starts, so
# both programs run with the clock stopped at one second.
#   check-render.sh BUNDLE_FOLDER LUMIVANE_HOST VST_PLUGIN
set -euo pipefail
bundles=$1
host=$2
vst=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
clock="2026-01-01 12:00:00"

sox -V1 -n -r 44100 -c 2 -b 32 -e floating-point "$work/in.wav" synth 6 sawtooth 110 sawtooth 166 vol 0.4
# In the LV2 ports' units; the same settings as lumivane-host takes them.
faketime -f "$clock" env LV2_PATH="$bundles" lv2apply -i "$work/in.wav" -o "$work/lv2.wav" \
  -c filter 5 -c tempo 96 -c steps 8 -c time 7 -c resonance 0.75 -c sweep 0.25 urn:quelldar:lumivane \
  || fail "lv2apply"
faketime -f "$clock" "$host" --plugin "$vst" render "$work/in.wav" "$work/vst.wav" --tempo 96 \
  --param Filter="LowP 24dB" --param Tempo=96 --param Steps=8 --param Time=4th --param Resonance=75% \
  --param Sweep=25% >"$work/render.log" 2>&1 || { cat "$work/render.log"; fail "lumivane-host render"; }

# lumivane-host adds the plug-in's tail; the files' first samples are compared.
frames=$(soxi -s "$work/in.wav")
sox -V1 "$work/lv2.wav" -t f32 "$work/lv2.raw"
sox -V1 "$work/vst.wav" -t f32 "$work/vst.raw" trim 0 "${frames}s"
[ "$(stat -c %s "$work/lv2.raw")" -eq $((frames * 2 * 4)) ] || fail "lv2apply wrote $(soxi -s "$work/lv2.wav") frames"
cmp "$work/lv2.raw" "$work/vst.raw" || fail "the LV2 render differs from the VST 2 render"
# A render that ignored the settings would not tell the two apart.
cmp -s "$work/lv2.raw" <(sox -V1 "$work/in.wav" -t f32 -) && fail "the LV2 render is its input"
echo "lv2apply and lumivane-host rendered $frames identical frames"
