#!/usr/bin/env bash
# Ardour 7, headless on its dummy audio engine, loads the LV2 plug-in by its
# URI, renders a steady sine through it at two session tempos, and the filter
# steps in the renders follow the session's tempo, not the plug-in's own.
#   check-ardour-tempo.sh BUNDLE_FOLDER
set -euo pipefail
bundles=$(realpath "$1")
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
command -v ardour7-lua >/dev/null || { echo "FAILED: ardour7-lua is missing (tools/setup/install-packages.sh)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/lumivane-ardour.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Ardour keeps its configuration and caches under HOME: a private one each run,
# with an export preset for Ardour's own 32-bit float WAV format.
config=$work/home/.config/ardour7
mkdir -p "$config/export"
cat >"$config/export/float-wav.preset" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<ExportPreset id="0b1d4f3e-5a8c-4f6b-9c2d-6e7a8b9c0d1e" name="32-bit float WAV">
  <ExportFormat id="20b4ab09-6452-4cb3-bd66-b921cdbd2942"/>
</ExportPreset>
EOF

tempos=(120 90)
seconds=8
own_tempo=200
time_item=7  # a quarter note: eight thirty-seconds per step
# Ports: band-pass 12 dB from 100 Hz to 10 kHz, resonance 0.5, four filters,
# the plug-in's own tempo, a new pattern every sweep, Sync Host, the step's
# note value, eight steps, the fastest glide.
controls="0=3,1=100,2=10000,3=0.5,4=4,5=$own_tempo,6=1,7=0,8=$time_item,9=8,10=1"
# Ardour 7.3's headless export corrupts its heap now and then (a session with
# no track and no plug-in does it too), so that ardour7-lua aborts before or
# after its renders: a run counts when it reports every render done, and a run
# that does not is tried again, twice at most.
render() {
  local run=$work/run$1
  mkdir -p "$run"
  local status=0
  # In a subshell of its own, which then reports a crash into the log.
  (env -u DISPLAY HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    LV2_PATH="$bundles" timeout 300 ardour7-lua "$here/ardour-render.lua" "$run" LV2 urn:quelldar:lumivane \
    "$seconds" "$(IFS=,; echo "${tempos[*]}")" "$controls"; exit $?) >"$run/ardour.log" 2>&1 || status=$?
  [ $status -eq 0 ] || echo "ardour7-lua ended with status $status"
  grep -E '^(loaded|rendered|Error)' "$run/ardour.log" || true
  [ "$(grep -c '^rendered' "$run/ardour.log")" -eq ${#tempos[@]} ]
}
for attempt in 1 2 3; do
  if render $attempt; then break; fi
  grep -q '^Error' "$work/run$attempt/ardour.log" && { echo "FAILED: the render script stopped" >&2; exit 1; }
  [ $attempt -lt 3 ] || { echo "FAILED: Ardour rendered not all tempos in three runs; the last log:" >&2; cat "$work/run$attempt/ardour.log" >&2; exit 1; }
  echo "Ardour ended before rendering every tempo; trying again"
done

# The sine's level is steady, so every change of the output's level is the
# filters moving. Each step starts a glide towards the step's cut-offs, fastest
# at its start: a window whose change is far above the two before it starts a
# step. A band-pass passing the sine's frequency makes such a start inside a
# glide too, and a step that lands near its predecessor's cut-offs makes
# none; the step's length is the grid, from the session's start, that the
# starts found fit best: most of its lines met, most of the starts on it.
python3 - "$work/run$attempt" "$seconds" "$time_item" "$own_tempo" "${tempos[@]}" <<'EOF'
import math, struct, sys

folder, seconds, time_item, own_tempo = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
tempos = sys.argv[5:]
WINDOW = 480  # 10 ms at 48 kHz, ten periods of the sine

def read_float_wav(path):
    data = open(path, 'rb').read()
    position, form, samples = 12, None, None
    while position + 8 <= len(data):
        tag, size = data[position:position + 4], struct.unpack('<I', data[position + 4:position + 8])[0]
        body = data[position + 8:position + 8 + size]
        if tag == b'fmt ':
            form = struct.unpack('<HHIIHH', body[:16])
        elif tag == b'data':
            samples = struct.unpack('<%df' % (size // 4), body[:size // 4 * 4])
        position += 8 + size + (size & 1)
    if form is None or form[0] != 3 or form[5] != 32 or samples is None:
        sys.exit('FAILED: %s is no 32-bit float WAV' % path)
    return form[1], form[2], samples

failed = False
def check(condition, message):
    global failed
    if not condition:
        print('FAILED: ' + message)
        failed = True

for bpm in tempos:
    channels, rate, samples = read_float_wav('%s/tempo%s.wav' % (folder, bpm))
    check(channels == 2, 'tempo%s.wav has %d channels' % (bpm, channels))
    check(all(math.isfinite(v) for v in samples), 'tempo%s.wav holds NaN or infinity' % bpm)
    left = samples[0::channels]
    check(len(left) == seconds * rate, 'tempo%s.wav holds %d frames, not %d' % (bpm, len(left), seconds * rate))
    levels = []
    for start in range(0, len(left) - WINDOW + 1, WINDOW):
        power = sum(v * v for v in left[start:start + WINDOW]) / WINDOW
        levels.append(10 * math.log10(power + 1e-30))
    peak = max(abs(v) for v in samples)
    check(peak > 0.01, 'tempo%s.wav is silent (peak %g)' % (bpm, peak))
    swing = max(levels) - min(levels)
    check(swing > 3, 'the level at %s BPM moves by %.1f dB only: the input passes unfiltered' % (bpm, swing))
    change = [0.0] + [abs(b - a) for a, b in zip(levels, levels[1:])]
    first_changes = []
    for i in range(2, len(change) - 1):
        before, after = change[i - 2] + change[i - 1], change[i] + change[i + 1]
        if after > 0.05 and after > 4 * before and (not first_changes or i - first_changes[-1] > 5):
            first_changes.append(i + 1)
    starts = [i * WINDOW / rate for i in first_changes]
    tolerance = WINDOW / rate
    def fit(step):
        lines = int((len(levels) - 2) * tolerance / step)
        met = len({round(t / step) for t in starts if abs(t - round(t / step) * step) <= tolerance} - {0})
        on = sum(1 for t in starts if abs(t - round(t / step) * step) <= tolerance)
        return met / max(lines, 1) * on / max(len(starts), 1), met, lines, on
    candidates = [fit(step / 1000) + (step / 1000,) for step in range(150, 1501)]
    top = max(c[0] for c in candidates)
    best = [c for c in candidates if c[0] == top]
    step = sum(c[4] for c in best) / len(best)
    _, met, lines, on = best[len(best) // 2][:4]
    expected = (time_item + 1) / 8 * 60 / int(bpm)
    print('%s BPM: step %.3f s (expected %.3f s; the plug-in\'s own %d BPM would give %.3f s): %d of %d step lines met, '
          '%d of %d starts on them; level %.1f dB to %.1f dB, peak %.3f'
          % (bpm, step, expected, own_tempo, (time_item + 1) / 8 * 60 / own_tempo, met, lines, on, len(starts),
             min(levels), max(levels), peak))
    check(met >= lines / 2, 'too few step starts at %s BPM' % bpm)
    check(abs(step - expected) <= 0.03 * expected, 'the step at %s BPM lasts %.3f s, not %.3f s' % (bpm, step, expected))
sys.exit(1 if failed else 0)
EOF
