#!/usr/bin/env bash
# Builds Markroll for Windows with mingw-w64 into ./build-windows and runs its
# tests under Wine: in a Japanese locale (code page 932), on a virtual display.
# Usage: bash scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages "${windows_packages[@]}"
started=$SECONDS
build=$PWD/build-windows

# Wine runs in ja_JP.UTF-8; the system need not have it, so it is made here.
locales=$build/locale
if [[ ! -d $locales/ja_JP.UTF-8 ]]; then
  mkdir -p "$locales"
  localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8"
fi

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=ON -DMARKROLL_WINE_LOCPATH="$locales" > /dev/null
cmake --build "$build" --parallel "$(nproc)"

# A display for Wine's windows, and a prefix of this build's own.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
xvfb=$!
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stop() {
  wineserver -k > /dev/null 2>&1 || true
  kill "$xvfb" 2> /dev/null || true
  rm -f "$display_file"
}
trap stop EXIT
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
DISPLAY=:$(head -n 1 "$display_file")
export DISPLAY

# Wine's helpers would keep ctest waiting on their streams: start the server
# and the prefix with every stream closed first.
# A server left running in this prefix (by a run by hand) would make the new
# one refuse to start: stop it first.
mkdir -p "$WINEPREFIX"
wineserver -k < /dev/null > /dev/null 2>&1 || true
LC_ALL=ja_JP.UTF-8 LOCPATH=$locales wineserver -p < /dev/null > /dev/null 2>&1
LC_ALL=ja_JP.UTF-8 LOCPATH=$locales wineboot -i < /dev/null > /dev/null 2>&1

ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

# The zip to hand out, with the stripped programs, the licence and README-Windows.txt.
(cd "$build" && cpack -G ZIP > /dev/null)
zip=$(ls "$build"/markroll-*-win64.zip)
echo "The zip to hand out: $zip ($(stat -c %s "$zip") bytes)."
echo "The Windows leg took $((SECONDS - started)) s."
