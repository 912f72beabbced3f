#!/usr/bin/env bash
# `make package` writes the three archives named with lumivane-host's version,
# each holding its build's plug-in and the guide; the Linux one runs unpacked.
#   check-package.sh SOURCE_DIR
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
. "$(dirname "$0")/lv2-bundle.sh"

make -C "$root" --no-print-directory package >"$work/package.log" 2>&1 \
  || { cat "$work/package.log"; fail "make package"; }
version=$("$root/build/linux64/lumivane-host" --version | sed -n 's/^lumivane-host \([0-9][0-9.]*\)$/\1/p')
[ -n "$version" ] || fail "lumivane-host --version shows no version"

# ARCHIVE "FILES": exactly these files under its top folder; unpacked into $work.
check_archive() {
  local archive=$1 members=$2
  local top=${archive%.zip}
  top=${top%.tar.gz}
  [ -f "$root/dist/$archive" ] || fail "no dist/$archive"
  local listed expected
  listed=$(cmake -E tar tf "$root/dist/$archive" | grep -v '/$' | sort)
  # Any run of blanks or line ends parts two members.
  expected=$(tr -s ' \n' '\n' <<<"$members" | sed '/^$/d' | sed "s|^|$top/|" | sort)
  [ "$listed" = "$expected" ] || fail "$archive holds:"$'\n'"$listed"$'\n'"expected:"$'\n'"$expected"
  (cd "$work" && cmake -E tar xf "$root/dist/$archive")
}

# The stripped DLL in the archive still has the right machine type and entries.
check_dll() {
  "$root/cmake/check-dll.sh" "$1" "$work/Lumivane-$version-$2/Lumivane.dll" "${@:3}" >"$work/dll.log" \
    || fail "the $2 archive's DLL: $(cat "$work/dll.log")"
}

guide="user-guide.md panel.png"
check_archive "Lumivane-$version-win32.zip" "Lumivane.dll $guide"
check_dll i686-w64-mingw32-objdump win32 pei-i386 main
check_archive "Lumivane-$version-win64.zip" "Lumivane.dll $guide"
check_dll x86_64-w64-mingw32-objdump win64 pei-x86-64 main VSTPluginMain
check_archive "Lumivane-$version-linux64.tar.gz" "bin/lumivane-host lib/vst/Lumivane.so \
$(lv2_bundle_files lib/lv2/Lumivane.lv2 | tr '\n' ' ') \
share/man/man1/lumivane-host.1 share/doc/lumivane/user-guide.md share/doc/lumivane/panel.png"
unpacked="$work/Lumivane-$version-linux64"
report=$("$unpacked/bin/lumivane-host" info) || fail "the unpacked lumivane-host info"
grep -Eq "^Plug-in +$unpacked/lib/vst/Lumivane.so\$" <<<"$report" \
  || fail "the unpacked lumivane-host did not load the plug-in beside it:"$'\n'"$report"
