#!/usr/bin/env bash
# `make install` with a PREFIX and a DESTDIR puts exactly the release's files
# there (taking away an earlier release's lib/lxvst copy), the installed
# lumivane-host finds the installed plug-in on its own,
# the installed LV2 bundle is found under lib/lv2, and `make uninstall` with
# the same variables takes every file away again.
#   check-install.sh SOURCE_DIR
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
prefix=/opt/lumivane
fail() { echo "FAILED: $*" >&2; exit 1; }
. "$(dirname "$0")/lv2-bundle.sh"

# An earlier release's copy in lib/lxvst, which Ardour would list beside the new one.
mkdir -p "$stage$prefix/lib/lxvst"
echo "old release" >"$stage$prefix/lib/lxvst/Lumivane.so"
make -C "$root" --no-print-directory install PREFIX="$prefix" DESTDIR="$stage" >"$work/install.log" 2>&1 \
  || { cat "$work/install.log"; fail "make install"; }
installed=$(cd "$stage" && find . ! -type d | sort)
expected=$(printf '%s\n' bin/lumivane-host lib/vst/Lumivane.so $(lv2_bundle_files lib/lv2/Lumivane.lv2) \
  share/doc/lumivane/panel.png \
  share/doc/lumivane/user-guide.md share/man/man1/lumivane-host.1 | sed "s|^|.$prefix/|" | sort)
[ "$installed" = "$expected" ] || fail "installed files:"$'\n'"$installed"$'\n'"expected:"$'\n'"$expected"

report=$("$stage$prefix/bin/lumivane-host" info) || fail "installed lumivane-host info"
grep -Eq "^Plug-in +$stage$prefix/lib/vst/Lumivane.so\$" <<<"$report" \
  || fail "lumivane-host did not load the installed plug-in:"$'\n'"$report"
grep -Eq '^Name +Lumivane VST$' <<<"$report" || fail "no effect name in:"$'\n'"$report"
lv2=$(LV2_PATH="$stage$prefix/lib/lv2" lv2info urn:quelldar:lumivane 2>&1) || fail "lv2info on the installed bundle"
grep -Fq "Binary:            file://$stage$prefix/lib/lv2/Lumivane.lv2/lumivane-dsp.so" <<<"$lv2" \
  || fail "lv2info did not find the installed LV2 plug-in:"$'\n'"$lv2"

make -C "$root" --no-print-directory uninstall PREFIX="$prefix" DESTDIR="$stage" >/dev/null
left=$(cd "$stage" && find . ! -type d)
[ -z "$left" ] || fail "left after make uninstall:"$'\n'"$left"
