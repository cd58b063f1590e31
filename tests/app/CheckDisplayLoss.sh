#!/usr/bin/env bash
# Starts the program on a display of its own, then takes the display away:
# Qt ends the program then, and its settings folder must go with it.
# Exit status 77 (a skip) where Xvfb is missing.
# Usage: CheckDisplayLoss.sh PROGRAM
set -euo pipefail
program=$1
command -v Xvfb > /dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }

work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/tmp" "$work/runtime"
Xvfb -displayfd 3 -screen 0 640x300x24 -nolisten tcp 3> "$work/display" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done

TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/runtime DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb \
  "$program" > "$work/log" 2>&1 &
window=$!
for _ in $(seq 200); do [[ -n $(ls -A "$work/tmp") ]] && break; sleep 0.1; done
[[ -n $(ls -A "$work/tmp") ]] || { echo "FAIL: the program never set itself up"; exit 1; }

kill "$xvfb"
xvfb=
status=0
wait "$window" || status=$?
echo "the program ended with status $status: $(cat "$work/log")"
left=$(ls -A "$work/tmp")
[[ -z $left ]] || { echo "FAIL: the program left $left"; exit 1; }
echo "PASS"
