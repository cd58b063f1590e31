#!/usr/bin/env bash
# Takes the pictures in docs/: the Linux window filled in and after a run
# (main-window.png, after-run.png), under a virtual display with Openbox, and
# the Windows window under Wine (windows-window.png). Neutral sample folders
# are typed in: /home/user/Favorites (a copy of examples/Favorites) and
# /home/user/Documents, made for the shot and removed after it.
# Usage: bash scripts/screenshot.sh      (as root, or with sudo for /home/user)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages openbox xdotool imagemagick xvfb xauth "${windows_packages[@]}"
bash scripts/setup.sh > /dev/null

made=()
pids=()
display_file=$(mktemp)
cleanup() {
  ((${#pids[@]})) && kill "${pids[@]}" 2> /dev/null
  WINEPREFIX=$PWD/build-windows/wine-prefix wineserver -k > /dev/null 2>&1 || true
  rm -rf "${made[@]}" "$display_file"
}
trap cleanup EXIT
for folder in /home/user/Favorites /home/user/Documents; do
  [[ -e $folder ]] && continue
  mkdir -p "$folder"
  made+=("$folder")
done
[[ -e /home/user/Favorites/Google.url ]] || cp -r examples/Favorites/. /home/user/Favorites/

Xvfb -displayfd 3 -screen 0 480x240x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
DISPLAY=:$(head -n 1 "$display_file")
export DISPLAY

openbox > /dev/null 2>&1 &
pids+=($!)
sleep 1
build/app/markroll &
pids+=($!)
window=$(xdotool search --sync --name "Markroll" | tail -n 1)
xdotool windowmove "$window" 10 40 windowactivate --sync "$window" && sleep 0.5
# Focus starts on the generate button; Tab visits the Favorites box, then the output box.
xdotool key Tab ctrl+a && xdotool type --delay 5 /home/user/Favorites
xdotool key Tab ctrl+a && xdotool type --delay 5 /home/user/Documents
xdotool key Tab Tab Tab && sleep 0.5
import -window root docs/main-window.png
xdotool key space && sleep 2
import -window root docs/after-run.png
rm -f /home/user/Documents/ALL_Favorites_Link.htm

# The Windows window, from the Windows build, in a Japanese locale.
if [[ ! -x build-windows/app-win32/markroll.exe ]]; then
  cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF > /dev/null
  cmake --build build-windows --parallel "$(nproc)" --target markroll
fi
locales=$PWD/build-windows/locale
[[ -d $locales/ja_JP.UTF-8 ]] || { mkdir -p "$locales" && localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8"; }
export WINEPREFIX=$PWD/build-windows/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8 LOCPATH=$locales
kill "${pids[-1]}" 2> /dev/null || true
mkdir -p "$WINEPREFIX"
wineserver -p < /dev/null > /dev/null 2>&1
wineboot -i < /dev/null > /dev/null 2>&1
wine build-windows/app-win32/markroll.exe > /dev/null 2>&1 &
pids+=($!)
window=$(xdotool search --sync --name "Markroll" | tail -n 1)
xdotool windowmove "$window" 10 40 windowactivate --sync "$window" && sleep 1
xdotool key Tab Tab && xdotool type --delay 5 'C:\Users\user\Documents'
xdotool key Tab Tab Tab && sleep 0.5
import -window root docs/windows-window.png
echo "docs/main-window.png, docs/after-run.png and docs/windows-window.png written"
