#!/usr/bin/env bash
# Measures markroll-cli against the floor (bench/floor.c: the least work any
# program must do for the same page) and prints figures; checks nothing.
#   - warm cache, 999 folders x 100 shortcuts: markroll-cli / floor as the
#     median of paired runs, in wall time and in CPU time (user + system);
#   - cold cache (caches dropped before each run), where this machine allows it;
#   - peak memory at 10,000, 100,000 and 1,000,000 shortcuts, and for one folder
#     of 200,000;
#   - the cost of --bookmarks beside the plain run, warm, and its peak memory;
#   - a real-size tree (100 folders, 3,000 shortcuts) beside the floor;
#   - an empty Favorites folder beside /bin/true, and the window until it is
#     shown.
# The trees are made once under build/bench (about 5 GB) and kept.
# Usage: bash bench/run.sh [RUNS]     (RUNS: paired runs, default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

bash scripts/setup.sh > /dev/null
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages time gcc python3 xvfb xauth xdotool

cli=$PWD/build/cli/markroll-cli
work=$PWD/build/bench
floor=$work/floor
mkdir -p "$work/out"
gcc -O2 -o "$floor" bench/floor.c

tree() {
  local dir=$work/$1 folders=$2 per=$3 depth=$4
  if [[ ! -f $dir.done ]]; then
    rm -rf "$dir"
    python3 bench/make_tree.py "$dir" --folders "$folders" --per-folder "$per" --depth "$depth" --seed 7
    touch "$dir.done"
  fi
  echo "$dir"
}

page=$work/out/ALL_Favorites_Link.htm
run_cli() { "$cli" "$1" "$work/out" > /dev/null; }
run_floor() { "$floor" "$1" "$work/out/floor.htm" "$(stat -c %s "$page")"; }

# "elapsed user system peak-KiB" of one run.
measure() { /usr/bin/time -f '%e %U %S %M' "$@" 2>&1 > /dev/null | tail -n 1; }

median() { sort -g | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f", m }'; }

can_drop_caches() { [[ -w /proc/sys/vm/drop_caches ]] && sync && echo 3 > /proc/sys/vm/drop_caches 2> /dev/null; }
drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches; }

small=$(tree small 100 100 4)
big=$(tree big 999 100 4)
huge=$(tree huge 1000 1000 4)
wide=$(tree wide 1 200000 1)
real=$(tree real 100 30 4)
empty=$work/empty
mkdir -p "$empty"
# Trees just made leave gigabytes to be written back, which would run beside
# the first measurements.
sync

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(free -g | awk '/Mem:/ { print $2 }') GiB"
echo "tree: $(find "$big" -type d | wc -l) folders, $(find "$big" -iname '*.url' | wc -l) shortcuts, $(du -sh "$big" | cut -f1)"

run_cli "$big"; run_floor "$big"   # warm the cache and learn the page's size
ratios=() cpu_ratios=() cli_times=() floor_times=() cli_cpu=() floor_cpu=()
for ((i = 0; i < runs; i++)); do
  read -r f_elapsed f_user f_system _ < <(measure "$floor" "$big" "$work/out/floor.htm" "$(stat -c %s "$page")")
  read -r c_elapsed c_user c_system _ < <(measure "$cli" "$big" "$work/out")
  ratios+=("$(awk -v c="$c_elapsed" -v f="$f_elapsed" 'BEGIN { printf "%.3f", c / f }')")
  cpu_ratios+=("$(awk -v cu="$c_user" -v cs="$c_system" -v fu="$f_user" -v fs="$f_system" \
    'BEGIN { printf "%.3f", (cu + cs) / (fu + fs) }')")
  cli_times+=("$c_elapsed") floor_times+=("$f_elapsed")
  cli_cpu+=("$c_user $c_system") floor_cpu+=("$f_user $f_system")
done
echo "warm cache, median of $runs paired runs:"
echo "  floor:        $(printf '%s\n' "${floor_times[@]}" | median) s (user/system of the last run: ${floor_cpu[-1]} s)"
echo "  markroll-cli: $(printf '%s\n' "${cli_times[@]}" | median) s (user/system of the last run: ${cli_cpu[-1]} s)"
echo "  markroll-cli / floor: $(printf '%s\n' "${ratios[@]}" | median) (goal at most 1.40)"
echo "  CPU time (user + system), markroll-cli / floor: $(printf '%s\n' "${cpu_ratios[@]}" | median) (goal at most 1.40)"
echo "  page: $(stat -c %s "$page") bytes"

# The same run writing the bookmark file too, alternated with the plain run.
bookmarks=$work/out/bookmarks.html
plain_times=() marked_times=() marked_cpu=()
for ((i = 0; i < runs; i++)); do
  read -r p_elapsed _ < <(measure "$cli" "$big" "$work/out")
  read -r b_elapsed b_user b_system _ < <(measure "$cli" --bookmarks "$bookmarks" "$big" "$work/out")
  plain_times+=("$p_elapsed") marked_times+=("$b_elapsed") marked_cpu+=("$b_user $b_system")
done
plain_median=$(printf '%s\n' "${plain_times[@]}" | median)
marked_median=$(printf '%s\n' "${marked_times[@]}" | median)
echo "--bookmarks, warm cache, median of $runs runs alternated with the plain run:"
echo "  plain run: $plain_median s; with --bookmarks: $marked_median s (user/system of the last run: ${marked_cpu[-1]} s)," \
  "$(awk -v b="$marked_median" -v p="$plain_median" 'BEGIN { printf "%.2f", b / p }') times the plain run (goal below 2)"
echo "  bookmark file: $(stat -c %s "$bookmarks") bytes"

if can_drop_caches; then
  cold_cli=() cold_floor=()
  for ((i = 0; i < 3; i++)); do
    drop_caches; read -r elapsed _ < <(measure "$floor" "$big" "$work/out/floor.htm" "$(stat -c %s "$page")")
    cold_floor+=("$elapsed")
    drop_caches; read -r elapsed _ < <(measure "$cli" "$big" "$work/out")
    cold_cli+=("$elapsed")
  done
  cold_f=$(printf '%s\n' "${cold_floor[@]}" | median)
  cold_c=$(printf '%s\n' "${cold_cli[@]}" | median)
  echo "cold cache, median of 3: floor $cold_f s, markroll-cli $cold_c s, ratio $(awk -v c="$cold_c" -v f="$cold_f" 'BEGIN { printf "%.2f", c / f }') (goal at most 0.60)"
else
  echo "cold cache: not measured, this machine does not let the caches be dropped (needs root and a writable /proc/sys/vm/drop_caches)"
fi

for tree_dir in "$small" "$big" "$huge" "$wide"; do
  read -r _ _ _ peak < <(measure "$cli" "$tree_dir" "$work/out")
  echo "peak memory, $(basename "$tree_dir") tree ($(find "$tree_dir" -type d | wc -l) folders, $(find "$tree_dir" -iname '*.url' | wc -l) shortcuts): $((peak / 1024)) MiB (${peak} KiB)"
done
for tree_dir in "$huge" "$wide"; do
  read -r _ _ _ peak < <(measure "$cli" --bookmarks "$bookmarks" "$tree_dir" "$work/out")
  echo "peak memory with --bookmarks, $(basename "$tree_dir") tree: $((peak / 1024)) MiB (${peak} KiB)"
done
echo "  (goals, with --bookmarks or without: at most 5 MiB at 1,000,000 shortcuts, at most 16 MiB for one folder of 200,000)"

# Timed with the shell's own clock (microseconds), so no `date` process is
# started inside the time measured; /bin/true, timed the same way, shows what
# starting any program costs here.
# shellcheck disable=SC2034  # a name reference: it sets the caller's variable
micros() { local -n into=$1; into=${EPOCHREALTIME/[.,]/}; }
empty_times=() true_times=()
for ((i = 0; i < 11; i++)); do
  micros start; run_cli "$empty"; micros end
  empty_times+=("$((end - start))")
  micros start; /bin/true; micros end
  true_times+=("$((end - start))")
done
in_ms() { printf '%s\n' "$@" | median | awk '{ printf "%.1f", $1 / 1000 }'; }
empty_ms=$(in_ms "${empty_times[@]}") true_ms=$(in_ms "${true_times[@]}")
echo "an empty Favorites folder, median of 11: $empty_ms ms, /bin/true: $true_ms ms," \
  "$(awk -v e="$empty_ms" -v t="$true_ms" 'BEGIN { printf "%.1f", e - t }') ms above it (goal at most 3 ms above)"

# A Favorites folder of the size people have, warm, alternated with the floor.
run_cli "$real"
real_cli=() real_floor=()
for ((i = 0; i < 21; i++)); do
  micros start; run_cli "$real"; micros end
  real_cli+=("$((end - start))")
  micros start; run_floor "$real"; micros end
  real_floor+=("$((end - start))")
done
echo "real-size tree ($(find "$real" -type d | wc -l) folders, $(find "$real" -iname '*.url' | wc -l) shortcuts), warm, median of 21:" \
  "markroll-cli $(in_ms "${real_cli[@]}") ms, floor $(in_ms "${real_floor[@]}") ms"

# The window, from its start until the window manager's view of it is mapped.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s $display_file ]] && break; sleep 0.1; done
shown_times=()
for ((i = 0; i < 5; i++)); do
  micros start
  DISPLAY=:$(head -n 1 "$display_file") "$PWD/build/app/markroll" > /dev/null 2>&1 &
  window=$!
  until DISPLAY=:$(head -n 1 "$display_file") xdotool search --onlyvisible --name "Markroll" > /dev/null; do
    sleep 0.01
  done
  micros end
  kill "$window"; wait "$window" 2> /dev/null || true
  shown_times+=("$((end - start))")
done
kill "$xvfb"; rm -f "$display_file"
echo "the window shown, median of 5: $(printf '%s\n' "${shown_times[@]}" | median | awk '{ printf "%.0f", $1 / 1000 }') ms (goal under 300 ms)"
