#!/usr/bin/env bash
# Installs what the build needs from Debian packages (only what is missing), then configures and
# builds the project in build/. Sourced by run.sh and test.sh; safe to run again: it skips what is
# already installed or built.
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORVANE_BUILD_DIR:-$top/build}"

packages=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  qt6-base-dev libgl-dev libpcre2-dev libbenchmark-dev
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# clang builds everything, so the libFuzzer targets are part of the normal build.
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --parallel "$(nproc)"
