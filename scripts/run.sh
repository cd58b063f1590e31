#!/usr/bin/env bash
# Installs what is missing, builds, writes the link page of the sample
# Favorites folder, and opens the window when there is a display.
# Usage: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

output=build/example-output
mkdir -p "$output"
status=0
build/cli/markroll-cli examples/Favorites "$output" || status=$?
echo "The link page of examples/Favorites: $(cd "$output" && pwd)/ALL_Favorites_Link.htm"

if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
  echo "Starting the window: build/app/markroll"
  exec build/app/markroll
fi
echo "No display here; from a desktop session start the window with: build/app/markroll"
exit "$status"
