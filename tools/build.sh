#!/usr/bin/env bash
# Drives the builds behind the Makefile: `plugins`, `test`, `demo`, `install`,
# `uninstall`, `package` and `lint`.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# configure NAME [CMAKE ARGUMENTS...]: the build configurations are the
# presets of CMakePresets.json (`cmake --preset NAME`, binary dir build/NAME).
configure() {
  local name=$1
  shift
  mkdir -p build
  cmake "$@" >"build/$name.configure.log" 2>&1 || { cat "build/$name.configure.log"; exit 1; }
}

configure_preset() {
  configure "$1" --preset "$1"
}

# compile NAME [--target T...]
compile() {
  echo "== building $1"
  local status=0
  cmake --build "build/$1" "${@:2}" -- -k 0 >"build/$1.build.log" 2>&1 || status=$?
  # Progress lines say nothing, and GoogleTest's unused network code draws a
  # linker warning in static builds that says nothing about ours.
  grep -Ev '^\[[0-9]+/[0-9]+\] |StreamingListener|getaddrinfo' "build/$1.build.log" || true
  return $status
}

plugins() {
  configure_preset linux64
  configure_preset win32
  configure_preset win64
  compile linux64
  compile win32
  compile win64
}

run_tests() {
  local name=$1
  shift
  echo "== testing $name"
  (cd "build/$name" && "$@" ctest --output-on-failure --timeout 300 -j"$(nproc)" ${ctest_labels:+-L "$ctest_labels"} \
    ${ctest_names:+-R "$ctest_names"}) | tee "build/$name.test.log" \
    | grep -E '^[0-9]+% tests passed|The following tests FAILED|\*\*\*Failed|\(Failed\)|\(SEGFAULT\)|\(Timeout\)|^[[:space:]]+[0-9]+ - ' || true
  local status=${PIPESTATUS[0]}
  grep -Eq '^100% tests passed' "build/$name.test.log" && [ "$status" -eq 0 ]
}

# The tracked C++ sources must read as clang-format writes them (see
# .clang-format); the files that do not are named here.
check_format() {
  echo "== checking the format of the sources"
  local report
  report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1 >/dev/null) && return 0
  echo "Not formatted (clang-format -i FILE... formats them):"
  grep -E '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /' | grep . \
    || echo "$report"
  return 1
}

tests() {
  local failed=0 formatted=yes
  rm -f build/*.skipped
  check_format || { failed=1; formatted=no; }
  plugins
  configure_preset linux32
  configure_preset sanitize
  configure_preset tsan
  configure_preset fuzz
  compile linux32
  compile sanitize
  compile tsan
  compile fuzz
  # The native builds show the Linux panel on a virtual display of their own.
  local display="$root/cmake/xvfb-session.sh"
  run_tests linux64 "$display" || failed=1
  run_tests linux32 || failed=1
  # GCC 12's sanitizer runtime misreads the dynamic TLS that glibc places for
  # the panel's libraries (pixman) once a host has dlopen'ed the plug-in, and
  # its leak check then crashes at exit; the TLS roots are still scanned.
  run_tests sanitize "$display" env ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 || failed=1
  # Only the tests that share an effect between threads.
  ctest_labels=threads run_tests tsan "$display" env TSAN_OPTIONS=halt_on_error=1 || failed=1
  run_tests fuzz || failed=1
  run_tests win64 "$root/cmake/wine-session.sh" win64 || failed=1
  test_win32 || failed=1
  # Last, as they install and package from the trees built above.
  configure release -S tests/release -B build/release -G Ninja -Wno-dev
  run_tests release || failed=1
  summarise
  [ "$formatted" = yes ] || echo "Some sources are not formatted: see the list at the start."
  return $failed
}

# The 32-bit DLL's suite runs under 32-bit Wine where this machine runs 32-bit
# processes; elsewhere only the check of the DLL's exports and imports runs,
# and the rest counts as skipped.
test_win32() {
  local reason
  if reason=$(tools/setup/runs-32bit.sh); then
    run_tests win32 "$root/cmake/wine-session.sh" win32
    return
  fi
  local all
  all=$(cd build/win32 && ctest -N | sed -n 's/^Total Tests: //p')
  echo "== 32-bit Windows tests skipped ($((all - 1)) of $all): $reason"
  echo $((all - 1)) >build/win32.skipped
  ctest_names='^PluginDll\.' run_tests win32
}

# clang-tidy (see .clang-tidy) over the binding, the engine, the editor and the
# toolkit: what the linux64 build compiles, the X11 back end included, then
# the Windows-only sources as the win64 build compiles them, read by clang for
# the MinGW target with MinGW's own C++ library.
lint() {
  configure_preset linux64
  configure_preset win64
  echo "== linting"
  local native=() windows=() status=0
  for file in $(git ls-files 'host/*.cpp' 'engine/*.cpp' 'editor/*.cpp' 'gui/*.cpp'); do
    if compiled_in linux64 "$file"; then
      native+=("$file")
    elif compiled_in win64 "$file"; then
      windows+=("$file")
    fi
  done
  tidy linux64 -- "${native[@]}" || status=1
  # COM objects such as the drop target are freed by their own reference
  # count, which the analyzer's leak check does not follow.
  local cxx
  cxx=$(x86_64-w64-mingw32-g++-posix -print-file-name=include)/c++
  tidy win64 --checks=-clang-analyzer-cplusplus.NewDeleteLeaks --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-nostdinc++ --extra-arg=-isystem"$cxx" --extra-arg=-isystem"$cxx/x86_64-w64-mingw32" \
    -- "${windows[@]}" || status=1
  local count=$((${#native[@]} + ${#windows[@]}))
  if [ $status -eq 0 ]; then
    echo "clang-tidy: $count sources clean (${#windows[@]} of them Windows-only)"
  else
    echo "clang-tidy: findings above in the $count sources linted"
  fi
  return $status
}

# compiled_in BUILD FILE: whether the build's compile database lists the file.
compiled_in() {
  grep -Fq "\"file\": \"$root/$2\"" "build/$1/compile_commands.json"
}

# tidy BUILD [CLANG-TIDY OPTIONS...] -- FILES...
tidy() {
  local build=$1 options=()
  shift
  while [ "$1" != -- ]; do
    options+=("$1")
    shift
  done
  shift
  # Our GCC-only warning options mean nothing to clang.
  printf '%s\0' "$@" | xargs -0 -n 4 -P "$(nproc)" \
    clang-tidy -p "build/$build" --quiet --extra-arg=-Wno-unknown-warning-option "${options[@]}" 2>&1 \
    | { grep -Ev '^[0-9]+ (warning|error)s? (and [0-9]+ errors? )?generated\.$' || true; }
}

# One closing line over every build's CTest run, with the tests a build could
# not run on this machine.
summarise() {
  local passed=0 total=0 skipped=0
  for log in build/*.test.log; do
    read -r p t < <(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$log" \
      | awk '{print $2 - $1, $2}')
    passed=$((passed + ${p:-0}))
    total=$((total + ${t:-0}))
  done
  for count in build/*.skipped; do
    [ -f "$count" ] && skipped=$((skipped + $(cat "$count")))
  done
  echo "$passed passed, $((total - passed)) failed, $skipped skipped"
}

# The panel pictures come from the editor's own screenshot script, run on the
# DLLs under Wine and on the Linux .so natively; this is the one place the
# demo reaches for it. Answers "made", "failed", "absent" (a checkout without
# the script) or "skipped: REASON" (the 32-bit DLL on a machine that does not
# run 32-bit processes). A third argument is the scale the host asks for.
editor_screenshot() {
  local script=tools/editor-screenshot.sh reason
  if [ ! -x "$script" ]; then
    echo absent
  elif [ "${2##*/}" = win32 ] && ! reason=$(tools/setup/runs-32bit.sh); then
    echo "skipped: $reason"
  elif "$script" "$1" "$2" ${3:+"$3"} >/dev/null; then
    echo made
  else
    echo failed
  fi
}

demo() {
  plugins
  local host=dist/linux64/lumivane-host
  local seconds=24
  mkdir -p out
  echo
  echo "What a host sees of dist/linux64/Lumivane.so (lumivane-host info, without the program list):"
  "$host" info | sed -n '1,/^Programs/p'
  echo
  echo "== rendering ${seconds} s of the built-in signal through the default program"
  "$host" render out/demo.wav --seconds "$seconds"
  sox -V1 out/demo.wav -n remix - rate 8k spectrogram -x 1200 -y 513 -z 80 \
    -t "Lumivane VST, default program: built-in signal at 120 BPM (0 to 4 kHz)" -o out/demo-spectrogram.png
  echo "== taking the panel's pictures: the DLLs under Wine, the Linux .so on X11"
  rm -f out/editor.png out/editor-2x.png out/editor-win32.png out/editor-linux.png
  local panel panel2x panel32 linuxPanel
  panel=$(editor_screenshot out/editor.png build/win64)
  panel2x=$(editor_screenshot out/editor-2x.png build/win64 2)
  panel32=$(editor_screenshot out/editor-win32.png build/win32)
  linuxPanel=$(editor_screenshot out/editor-linux.png build/linux64)
  cat <<EOT

The demo's files:
  out/demo.wav               ${seconds} s of the built-in test signal (a bass chord on eighth notes
                             with kick and hi-hats at 120 BPM) through the default program
  out/demo-spectrogram.png   its spectrogram from 0 to 4 kHz
  out/editor.png             the plug-in's panel as the 64-bit DLL draws it$(panel_note "$panel")
  out/editor-2x.png          the same panel at a host's scale of 2 (300 x 544)$(panel_note "$panel2x")
  out/editor-win32.png       the same panel as the 32-bit DLL draws it under 32-bit Wine$(panel_note "$panel32")
  out/editor-linux.png       the same panel as the Linux .so draws it in an X11 window$(panel_note "$linuxPanel")

Listen for the low-pass cut-off stepping once per half note, every second at 120 BPM,
between 55 Hz and 1760 Hz, gliding into each new level rather than jumping: the chord
opens up and closes down while the kick stays. Four steps make a sweep of 4 s. The first
sweep has a pattern of its own; then a new pattern plays four sweeps in a row (4 to 20 s),
then another is drawn.

Look in the spectrogram for the upper edge of the bright band rising and falling in
1-second steps, with the same shape four times between 4 and 20 s. Render your own audio
with, for example:
  dist/linux64/lumivane-host render song.wav song-swept.wav --tempo 96 --param Filter="LowP 24dB"
EOT
  [ "$panel" != made ] || cat <<EOT

The panel in out/editor.png shows the same default program: four knobs (filter mode,
active filters, sync, time division) with their displays (LowP 12dB, 1, Host, Half) and
seven sliders (tempo 120, steps 4, count 4, resonance 0.50, 55.0 to 1760 Hz, sweep 0.60).
EOT
  if [ "$panel" = made ] && { [ "$panel32" = made ] || [ "$linuxPanel" = made ]; }; then
    echo
    [ "$panel32" != made ] || panel_comparison out/editor-win32.png
    [ "$linuxPanel" != made ] || panel_comparison out/editor-linux.png
  fi
  [ "$panel" != failed ] && [ "$panel32" != failed ] && [ "$linuxPanel" != failed ]
}

# How many pixels a panel picture differs from out/editor.png in; both DLLs
# and both toolkit back ends land their shapes and bitmaps on the same pixels.
panel_comparison() {
  local differing
  differing=$(compare -metric AE "$1" out/editor.png null: 2>&1 || true)
  echo "$1 differs from out/editor.png in ${differing} of $(identify -format "%[fx:w*h]" out/editor.png) pixels."
}

panel_note() {
  case $1 in
    absent) echo " (not made: this checkout has no tools/editor-screenshot.sh)" ;;
    failed) echo " (NOT MADE: the screenshot failed, see above)" ;;
    skipped:*) echo " (not made: ${1#skipped: })" ;;
  esac
}

# `make install` and `make uninstall` take PREFIX and DESTDIR from the caller.
prefix=${PREFIX:-/usr/local}

# Only the Linux plug-ins and the command-line host need building to install.
install_linux64() {
  configure_preset linux64
  compile linux64 --target Lumivane lumivane-host lumivane_lv2_bundle
  echo "== installing into ${DESTDIR:-}$prefix"
  cmake --install build/linux64 --prefix "$prefix" --strip
}

# Removes the files an install with the same PREFIX and DESTDIR puts in place,
# as listed by a staged install (CMake keeps no record to undo).
uninstall_linux64() {
  configure_preset linux64
  compile linux64 --target Lumivane lumivane-host lumivane_lv2_bundle
  local staged
  staged=$(mktemp -d)
  DESTDIR=$staged cmake --install build/linux64 --prefix "$prefix" >/dev/null
  (cd "$staged" && find . ! -type d) | while read -r file; do
    rm -fv "${DESTDIR:-}/${file#./}"
  done
  rm -rf "$staged"
  rmdir --ignore-fail-on-non-empty "${DESTDIR:-}$prefix/share/doc/lumivane" 2>/dev/null || true
  rmdir --ignore-fail-on-non-empty "${DESTDIR:-}$prefix/lib/lv2/Lumivane.lv2" 2>/dev/null || true
}

# One archive per plug-in build, versioned, into dist/.
package() {
  plugins
  echo "== packaging"
  for name in win32 win64 linux64; do
    rm -rf "build/$name/package"
    (cd "build/$name" && cpack -B package >"../$name.package.log" 2>&1) \
      || { cat "build/$name.package.log"; exit 1; }
    for archive in build/"$name"/package/Lumivane-*; do
      cp "$archive" dist/
      echo "dist/${archive##*/}"
    done
  done
}

"tools/setup/install-packages.sh"
case "${1:-plugins}" in
  plugins) plugins ;;
  test) tests ;;
  demo) demo ;;
  install) install_linux64 ;;
  uninstall) uninstall_linux64 ;;
  package) package ;;
  lint) lint ;;
  *) echo "usage: $0 plugins|test|demo|install|uninstall|package|lint" >&2; exit 2 ;;
esac
