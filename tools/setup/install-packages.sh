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
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
