#!/usr/bin/env bash
# Installs what building and running Markroll needs on Debian, then configures
# and builds the program and markroll-cli into ./build. Safe to run again: it
# installs only what is missing. Usage: bash scripts/setup.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages "${run_packages[@]}"

if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF > /dev/null
fi
cmake --build build --parallel "$(nproc)" --target markroll markroll-cli
