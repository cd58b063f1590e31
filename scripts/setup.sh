#!/usr/bin/env bash
# Installs what building, running and testing Markroll need on Debian, then
# configures and builds into ./build. Safe to run again: it installs only what
# is missing. Usage: bash scripts/setup.sh
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev            # Qt 6 Core and Widgets
  libgtest-dev            # GoogleTest, the test framework
  fonts-ipafont-gothic    # a Japanese font, so the captions render
  xvfb xauth              # a virtual display for screenshots of the window
  chromium                # the browser that checks the written page
  binutils-mingw-w64-x86-64  # windres, to check the Windows resource script
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --parallel "$(nproc)"
