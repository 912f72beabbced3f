#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need; does
# nothing when all of them are there already.
set -euo pipefail
packages=(
  cmake ninja-build g++ g++-multilib
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  wine64 xvfb xauth xdotool fonts-liberation imagemagick
  libx11-dev libxtst-dev libcairo2-dev
  qemu-user-static groff-base
  googletest libgtest-dev libgmock-dev libbenchmark-dev libsndfile1-dev sox
  clang libclang-rt-14-dev clang-format clang-tidy
  lv2-dev sordi lilv-utils faketime ardour
  jalv jackd2 x11-utils python3
)
export DEBIAN_FRONTEND=noninteractive
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The 32-bit DLL's tests run under 32-bit Wine, installed beside the 64-bit
# one where the machine runs 32-bit processes at all (tools/build.sh says why
# it skips them elsewhere).
if ! installed wine32:i386 && "$(dirname "${BASH_SOURCE[0]}")/runs-32bit.sh" >/dev/null; then
  echo "Installing: wine32:i386"
  dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq wine32:i386 >/dev/null
fi
