#!/usr/bin/env bash
# Times markroll-cli against the floor (a plain read of every shortcut file)
# on the same tree in the same run, and measures its peak memory at 10,000
# and at 100,000 shortcuts. Prints figures; checks nothing.
# Usage: bash bench/run.sh [RUNS]     (RUNS: timed runs of each, default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

bash scripts/setup.sh > /dev/null
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages time

cli=$PWD/build/cli/markroll-cli
work=$PWD/build/bench
mkdir -p "$work/out"

# Trees are made once per shape and kept; the generator is deterministic.
tree() {
  local folders=$2 per=$3 dir=$work/$1
  if [[ ! -f $dir.done ]]; then
    rm -rf "$dir"
    python3 bench/make_tree.py "$dir" --folders "$folders" --per-folder "$per" --depth 4 --seed 7
    touch "$dir.done"
  fi
  echo "$dir"
}

floor() { find "$1" -iname '*.url' -print0 | xargs -0 cat > /dev/null; }
generate() { "$cli" "$1" "$work/out" > /dev/null; }

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }' 
}

median() { sort -g | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f", m }'; }

peak_kib() { /usr/bin/time -f '%M' "$cli" "$1" "$work/out" 2>&1 > /dev/null | tail -n 1; }

small=$(tree small 100 100)
big=$(tree big 999 100)

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(free -g | awk '/Mem:/ { print $2 }') GiB"
echo "tree: $(find "$big" -type d | wc -l) folders, $(find "$big" -iname '*.url' | wc -l) shortcuts, $(du -sh "$big" | cut -f1)"

floor "$big"; generate "$big"   # warm the cache
floor_times=() cli_times=()
for ((i = 0; i < runs; i++)); do
  floor_times+=("$(seconds floor "$big")")
  cli_times+=("$(seconds generate "$big")")
done
floor_median=$(printf '%s\n' "${floor_times[@]}" | median)
cli_median=$(printf '%s\n' "${cli_times[@]}" | median)
echo "floor (find | xargs cat), median of $runs: ${floor_median} s"
echo "markroll-cli, median of $runs:           ${cli_median} s"
echo "ratio: $(awk -v c="$cli_median" -v f="$floor_median" 'BEGIN { printf "%.2f", c / f }') (target at most 1.50)"
echo "page: $(stat -c %s "$work/out/ALL_Favorites_Link.htm") bytes"

small_peak=$(peak_kib "$small")
big_peak=$(peak_kib "$big")
echo "peak memory at $(find "$small" -iname '*.url' | wc -l) shortcuts: $((small_peak / 1024)) MiB (${small_peak} KiB)"
echo "peak memory at $(find "$big" -iname '*.url' | wc -l) shortcuts: $((big_peak / 1024)) MiB (${big_peak} KiB)"
echo "growth: $((big_peak - small_peak)) KiB (target at most 2048 KiB; peak target at most 40 MiB)"
