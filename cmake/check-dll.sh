#!/usr/bin/env bash
# Checks a built plug-in DLL from outside: machine type, the exported entry
# names, and that it imports nothing but Windows system DLLs.
set -euo pipefail
objdump=$1 dll=$2 machine=$3
shift 3
dump=$("$objdump" -p "$dll")
format=$("$objdump" -f "$dll" | sed -n 's/.*file format //p')
status=0
[ "$format" = "$machine" ] || { echo "machine: $format, expected $machine"; status=1; }
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' "$@" | sort)
[ "$exports" = "$expected" ] || { echo "exports: $(echo $exports), expected $(echo $expected)"; status=1; }
system='^(KERNEL32|USER32|GDI32|ole32|OLEAUT32|SHELL32|ADVAPI32|msvcrt|COMCTL32|SHLWAPI)\.dll$'
while read -r name; do
  grep -Eiq "$system" <<<"$name" || { echo "imports a non-system DLL: $name"; status=1; }
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
[ $status -eq 0 ] && echo "$(basename "$dll"): $format, exports $(echo $exports), imports $(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr '\n' ' ')"
exit $status
