#!/usr/bin/env bash
# Takes docs/main-window.png and docs/after-run.png: the real window under a
# virtual display with a window manager, filled in for examples/Favorites,
# then after the run with the completion message up.
# Usage: bash scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
need=()
for package in openbox xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || need+=("$package")
done
if ((${#need[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

output=$(mktemp -d)
trap 'rm -rf "$output"' EXIT
export MARKROLL_OUTPUT=$output
xvfb-run --auto-servernum --server-args="-screen 0 480x210x24" bash -c '
  openbox & sleep 1
  build/app/markroll & app=$!
  window=$(xdotool search --sync --name "Markroll" | head -n 1)
  xdotool windowmove "$window" 10 10 windowactivate --sync "$window" && sleep 0.5
  # Focus starts on the generate button; Tab visits the Favorites box, then the output box.
  xdotool key Tab ctrl+a && xdotool type --delay 5 "$PWD/examples/Favorites"
  xdotool key Tab ctrl+a && xdotool type --delay 5 "$MARKROLL_OUTPUT"
  xdotool key Tab Tab Tab && sleep 0.5
  import -window root docs/main-window.png
  xdotool key space && sleep 2
  import -window root docs/after-run.png
  kill $app'
echo "docs/main-window.png and docs/after-run.png written; the output folder held: $(ls "$output")"
