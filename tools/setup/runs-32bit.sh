#!/usr/bin/env bash
# Whether this machine runs 32-bit x86 processes: builds a small `gcc -m32`
# program and runs it. Quiet when it does; otherwise prints the reason in one
# line and fails.
set -uo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo 'int main(void) { return sizeof(void*) == 4 ? 0 : 1; }' >"$folder/probe.c"
if ! built=$(gcc -m32 "$folder/probe.c" -o "$folder/probe" 2>&1); then
  echo "gcc -m32 cannot build a 32-bit program: $(grep -m1 -E 'error|cannot' <<<"$built" || head -n1 <<<"$built")"
  exit 1
fi
ran=$("$folder/probe" 2>&1)
status=$?
if [ $status -ne 0 ]; then
  # The shell's message ends in the kernel's reason ("Exec format error").
  echo "the kernel does not run a 32-bit program built with gcc -m32 (${ran:+${ran##*: }, }exit status $status)"
  exit 1
fi
