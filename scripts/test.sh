#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# Usage: bash scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
