#!/usr/bin/env bash
# The bundle as Debian's LV2 tools read it: lv2_validate finds no error in its
# Turtle files, its DSP library exports only lv2_descriptor and needs no
# window system, and lv2info lists the plug-in's sixteen ports and its twenty
# presets, the controls named, ranged and defaulted as the VST 2 build shows
# its parameters and programs (read through lumivane-host info).
#   check-description.sh BUNDLE_FOLDER LUMIVANE_HOST VST_PLUGIN
set -euo pipefail
bundles=$1
host=$2
vst=$3
bundle=$bundles/Lumivane.lv2
fail() { echo "FAILED: $*" >&2; exit 1; }

validation=$(lv2_validate "$bundle"/*.ttl 2>&1) || fail "lv2_validate:"$'\n'"$validation"
grep -q '^Found 0 errors' <<<"$validation" && ! grep -q '^error' <<<"$validation" \
  || fail "lv2_validate:"$'\n'"$validation"

dsp=$bundle/lumivane-dsp.so
exports=$(nm -D --defined-only "$dsp" | awk '{ print $3 }')
[ "$exports" = lv2_descriptor ] || fail "lumivane-dsp.so exports:"$'\n'"$exports"
needed=$(readelf -d "$dsp" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
! grep -Eq 'X11|xcb|cairo|pixman' <<<"$needed" || fail "lumivane-dsp.so needs a window system:"$'\n'"$needed"

# The LV2 vocabularies Debian installs in /usr/lib/lv2 give lv2info the classes' names.
listing=$(LV2_PATH="$bundles:/usr/lib/lv2" lv2info urn:quelldar:lumivane) || fail "lv2info"
vstInfo=$("$host" --plugin "$vst" info) || fail "lumivane-host info"

# port FIELD: the field's values of each port, in port order, one a line.
port() { awk -v field="$1:" '$1 == "Port" { n = $2 + 0 } $1 == field { sub(/^[^:]*: */, ""); print n, $0 }' <<<"$listing"; }
# The VST 2 build's parameters: index, name, display (the columns lumivane-host aligns).
vstParameters=$(sed -n '/^Parameters/,/^Programs/p' <<<"$vstInfo" | sed -n 's/^ *\([0-9]*\)  \(.*\)$/\1\t\2/p' \
  | awk -F '\t' '{ split($2, c, /  +/); print $1 "\t" c[1] "\t" (length(c) > 3 ? c[3] : c[2]) }')
[ "$(wc -l <<<"$vstParameters")" -eq 11 ] || fail "lumivane-host lists no 11 parameters:"$'\n'"$vstInfo"

grep -q '^	Name: *Lumivane$' <<<"$listing" || fail "no name Lumivane in:"$'\n'"$listing"
grep -q '^	Author: *Quelldar$' <<<"$listing" || fail "no author Quelldar in:"$'\n'"$listing"
grep -q '^	Class: *Filter Plugin$' <<<"$listing" || fail "not a filter plug-in:"$'\n'"$listing"

# index symbol minimum maximum properties: the ranges in the panel's units.
expected="0 filter 0 5 integer,enumeration
1 min_freq 20 10000 logarithmic
2 max_freq 20 10000 logarithmic
3 resonance 0 1 -
4 active 1 4 integer
5 tempo 1 250 integer
6 repeat 1 32 integer
7 sync 0 1 integer,enumeration
8 time 0 63 integer,enumeration
9 steps 2 32 integer
10 sweep 0 1 -
11 in_l AudioPort,InputPort
12 in_r AudioPort,InputPort
13 out_l AudioPort,OutputPort
14 out_r AudioPort,OutputPort
15 transport AtomPort,InputPort"
[ "$(port Symbol | cut -d' ' -f1 | tr '\n' ' ')" = "$(seq -s ' ' 0 15) " ] || fail "ports listed:"$'\n'"$(port Symbol)"
while read -r index symbol minimum maximum properties; do
  [ "$(port Symbol | awk -v n="$index" '$1 == n { print $2 }')" = "$symbol" ] || fail "port $index is not $symbol"
  section=$(awk -v n="$index:" '$1 == "Port" { on = ($2 == n) } on' <<<"$listing")
  if [ "$index" -ge 11 ]; then
    for type in ${minimum//,/ }; do grep -q "#$type\$" <<<"$section" || fail "port $index is no $type"; done
    continue
  fi
  for type in ControlPort InputPort; do grep -q "#$type\$" <<<"$section" || fail "port $index is no $type"; done
  value() { awk -v f="$1:" '$1 == f { print $2 }' <<<"$section"; }
  awk -v a="$(value Minimum)" -v b="$minimum" -v c="$(value Maximum)" -v d="$maximum" 'BEGIN { exit !(a == b && c == d) }' \
    || fail "$symbol ranges $(value Minimum) to $(value Maximum), not $minimum to $maximum"
  for property in ${properties//,/ }; do
    [ "$property" = - ] || grep -q "#$property\$" <<<"$section" || fail "$symbol is not $property"
  done
  IFS=$'\t' read -r _ name display < <(awk -F '\t' -v n="$index" '$1 == n' <<<"$vstParameters")
  [ "$(awk '$1 == "Name:" { sub(/^[^:]*: */, ""); print }' <<<"$section")" = "$name" ] \
    || fail "port $index is not named $name as the VST 2 parameter:"$'\n'"$section"
  # The default reads as the VST 2 build shows its default program: the item's
  # text, or the number to the digits shown.
  default=$(value Default)
  if grep -q 'Scale Points' <<<"$section"; then
    label=$(awk -v v="$(printf '%d' "${default%.*}")" '$1 == v && $2 == "=" { sub(/^[^"]*"/, ""); sub(/"$/, ""); print }' <<<"$section")
    [ "$label" = "$display" ] || fail "$symbol defaults to \"$label\", the VST 2 build to \"$display\""
  else
    awk -v a="$default" -v b="$display" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.0051) }' \
      || fail "$symbol defaults to $default, the VST 2 build to $display"
  fi
done <<<"$expected"

# The units LV2 has, as the description states them.
triples=$(sordi "$bundle/lumivane.ttl")
units=$(awk '$2 == "<http://lv2plug.in/ns/lv2core#symbol>" { s[$1] = $3 }
  $2 == "<http://lv2plug.in/ns/extensions/units#unit>" { u[$1] = $3 }
  END { for (n in u) print s[n], u[n] }' <<<"$triples" | sort)
[ "$units" = "$(printf '%s\n' '"max_freq" <http://lv2plug.in/ns/extensions/units#hz>' \
  '"min_freq" <http://lv2plug.in/ns/extensions/units#hz>' '"tempo" <http://lv2plug.in/ns/extensions/units#bpm>')" ] \
  || fail "units:"$'\n'"$units"

presets=$(sed -n '/^	Presets:/,/^$/p' <<<"$listing" | sed 's/^[[:space:]]*\(Presets:\)\{0,1\}[[:space:]]*//' | grep . | sort)
programs=$(sed -n '/^Programs/,$p' <<<"$vstInfo" | sed -n 's/^ *[0-9][0-9]*  //p' | sort)
[ "$(wc -l <<<"$programs")" -eq 20 ] && [ "$presets" = "$programs" ] \
  || fail "presets:"$'\n'"$presets"$'\n'"the VST 2 build's programs:"$'\n'"$programs"
echo "lv2_validate clean; the DSP library headless; lv2info lists 16 ports and 20 presets as the VST 2 build has them"
