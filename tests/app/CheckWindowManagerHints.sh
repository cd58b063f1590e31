#!/usr/bin/env bash
# Starts the program under Xvfb with Openbox and reads what the window and a
# message box ask of the window manager: the Motif hints allow moving and
# closing only, and Openbox then allows neither maximizing nor resizing.
# Exit status 77 (a skip) where Xvfb, Openbox or xdotool is missing.
# Usage: CheckWindowManagerHints.sh PROGRAM
set -euo pipefail
program=$1
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

display_file=$(mktemp)
pids=()
# The program first, while its display is still there.
cleanup() {
  [[ -n ${program_pid-} ]] && kill "$program_pid" 2> /dev/null && { wait "$program_pid" || true; }
  ((${#pids[@]})) && kill "${pids[@]}" 2> /dev/null
  rm -f "$display_file"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 640x300x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
DISPLAY=:$(head -n 1 "$display_file")
export DISPLAY QT_QPA_PLATFORM=xcb
openbox > /dev/null 2>&1 &
pids+=($!)
sleep 1
"$program" > /dev/null 2>&1 &
program_pid=$!

# The window's title holds "Markroll"; a message box's title is "Markroll" alone.
find_window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | tail -n 1; }

check() {
  local what=$1 window=$2 hints actions
  hints=$(xprop -id "$window" _MOTIF_WM_HINTS)
  actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
  echo "$what: $hints"
  echo "$what: $actions"
  [[ $hints == *"= 0x3, 0x24, 0x1a, 0x0, 0x0" ]] || { echo "FAIL: $what asks for more than moving and closing"; exit 1; }
  for action in _NET_WM_ACTION_MAXIMIZE_HORZ _NET_WM_ACTION_MAXIMIZE_VERT _NET_WM_ACTION_RESIZE; do
    [[ $actions != *"$action"* ]] || { echo "FAIL: $what allows $action"; exit 1; }
  done
}

window=$(find_window "k/r")
[[ -n $window ]] || { echo "FAIL: the window never showed"; exit 1; }
sleep 0.5
check "the window" "$window"

# The output box is empty, so Html出力 brings up the blank-input message.
xdotool windowactivate --sync "$window" key space
box=$(find_window "^Markroll$")
[[ -n $box ]] || { echo "FAIL: the message box never showed"; exit 1; }
sleep 0.5
check "the message box" "$box"
echo "PASS"
