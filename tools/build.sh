#!/usr/bin/env bash
# Drives the builds behind the Makefile: `plugins`, `test` and `demo`.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

configure() {
  local name=$1
  shift
  cmake -S . -B "build/$name" -G Ninja -Wno-dev "$@" >"build/$name.configure.log" 2>&1 \
    || { cat "build/$name.configure.log"; exit 1; }
}

compile() {
  echo "== building $1"
  cmake --build "build/$1" -- -k 0 | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
  test "${PIPESTATUS[0]}" -eq 0
}

plugins() {
  mkdir -p build
  configure linux64 -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_BENCH=ON -DLUMIVANE_DIST_DIR="$root/dist/linux64"
  configure win32 -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DLUMIVANE_DIST_DIR="$root/dist/win32"
  configure win64 -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake -DLUMIVANE_DIST_DIR="$root/dist/win64"
  compile linux64
  compile win32
  compile win64
}

run_tests() {
  local name=$1
  shift
  echo "== testing $name"
  (cd "build/$name" && "$@" ctest --output-on-failure --timeout 300 -j"$(nproc)" ${ctest_labels:+-L "$ctest_labels"}) | tee "build/$name.test.log" \
    | grep -E '^[0-9]+% tests passed|The following tests FAILED|\*\*\*Failed|\(Failed\)|\(SEGFAULT\)|\(Timeout\)|^[[:space:]]+[0-9]+ - ' || true
  local status=${PIPESTATUS[0]}
  grep -Eq '^100% tests passed' "build/$name.test.log" && [ "$status" -eq 0 ]
}

tests() {
  plugins
  configure linux32 -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_PLUGIN=OFF \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-linux-i386.cmake
  configure sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVANE_SANITIZE=address,undefined
  configure tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVANE_SANITIZE=thread -DLUMIVANE_PLUGIN=OFF
  compile linux32
  compile sanitize
  compile tsan
  local failed=0
  run_tests linux64 || failed=1
  run_tests linux32 || failed=1
  run_tests sanitize env ASAN_OPTIONS=detect_leaks=1 || failed=1
  # Only the tests that share an effect between threads.
  ctest_labels=threads run_tests tsan env TSAN_OPTIONS=halt_on_error=1 || failed=1
  run_tests win32 || failed=1
  run_tests win64 "$root/cmake/wine-session.sh" || failed=1
  summarise
  return $failed
}

# One closing line over every build's CTest run.
summarise() {
  local passed=0 total=0
  for log in build/*.test.log; do
    read -r p t < <(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$log" \
      | awk '{print $2 - $1, $2}')
    passed=$((passed + ${p:-0}))
    total=$((total + ${t:-0}))
  done
  echo "$passed passed, $((total - passed)) failed"
}

demo() {
  plugins
  echo
  echo "What a host sees of dist/linux64/Lumivane.so:"
  build/linux64/tools/lumivane-host info
}

"tools/setup/install-packages.sh"
case "${1:-plugins}" in
  plugins) plugins ;;
  test) tests ;;
  demo) demo ;;
  *) echo "usage: $0 plugins|test|demo" >&2; exit 2 ;;
esac
