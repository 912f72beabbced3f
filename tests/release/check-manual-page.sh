#!/usr/bin/env bash
# The manual page renders without a single warning and has an entry for every
# option that lumivane-host --help lists.
#   check-manual-page.sh SOURCE_DIR
set -euo pipefail
root=$1
page=$root/docs/lumivane-host.1
warnings=$(groff -ww -man -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "FAILED: groff warns:"$'\n'"$warnings" >&2; exit 1; }
# The tags of the page's entries: each line after .TP.
tags=$(awk 'tag { print } { tag = ($0 == ".TP") }' "$page")
missing=0
for option in $("$root/build/linux64/lumivane-host" --help | grep -Eo -- '--[a-z]+' | sort -u); do
  grep -Eq -- "\\\\-\\\\-${option#--}([^a-z]|\$)" <<<"$tags" \
    || { echo "FAILED: $option has no entry in the manual page" >&2; missing=1; }
done
exit $missing
