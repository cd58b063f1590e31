#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build, the
# .deb in a clean Debian root, the core again under sanitizers, the fuzzers over their corpora, the scripts'
# check, then the Windows build under Wine.
# Usage: bash scripts/test.sh
# MARKROLL_SKIP_WINDOWS=1 leaves the Windows leg out of a quick local run; CI
# (CI=true) always runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages "${run_packages[@]}" "${test_packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON > /dev/null
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

echo "== the .deb installed into a clean Debian 12 root"
bash scripts/test-clean-root.sh
bash scripts/test-sanitizers.sh
echo "== the fuzzers, built with clang, over their corpora"
bash fuzz/run.sh 0

echo "== shellcheck"
shellcheck -x scripts/*.sh bench/*.sh fuzz/*.sh tests/app/*.sh tests/install/*.sh .ci/run
echo "shellcheck: every script passes"

if [[ ${MARKROLL_SKIP_WINDOWS:-} == 1 && ${CI:-} != true ]]; then
  echo "The Windows leg was skipped (MARKROLL_SKIP_WINDOWS=1)."
  exit 0
fi
bash scripts/test-windows.sh
