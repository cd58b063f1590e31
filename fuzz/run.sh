#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time, starting from
# the stored corpus; what they find new is merged back into fuzz/corpus/.
# With 0 seconds each fuzzer only runs every input of its corpus once: the
# check CI makes, so the fuzzers cannot stop building unnoticed.
# Usage: bash fuzz/run.sh [SECONDS_EACH]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages cmake make clang libclang-rt-dev

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMARKROLL_FUZZ=ON -DBUILD_TESTING=OFF -DMARKROLL_QT_WINDOW=OFF > /dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target ShortcutReaderFuzzer PageEscapingFuzzer WholeRunFuzzer

scratches=()
trap 'rm -rf "${scratches[@]}"' EXIT
findings=0

# A finding ends that fuzzer's run; what it found new is still merged.
run() {
  local fuzzer=$1 corpus=fuzz/corpus/$2 max_len=$3 scratch status=0
  if ((seconds == 0)); then
    echo "== $fuzzer over its corpus ($(find "$corpus" -type f | wc -l) inputs)"
    "build-fuzz/fuzz/$fuzzer" -runs=0 -max_len="$max_len" -timeout=10 "$corpus" > "build-fuzz/$fuzzer.log" 2>&1 || status=$?
    tail -n 1 "build-fuzz/$fuzzer.log"
    if ((status != 0)); then
      findings=$((findings + 1))
      echo "$fuzzer failed on its corpus (status $status); its log: build-fuzz/$fuzzer.log"
    fi
    return
  fi
  scratch=$(mktemp -d)
  scratches+=("$scratch")
  cp -r "$corpus/." "$scratch/" 2>/dev/null || true
  echo "== $fuzzer for ${seconds}s"
  "build-fuzz/fuzz/$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
    -artifact_prefix="build-fuzz/$fuzzer-" -print_final_stats=1 "$scratch" > "build-fuzz/$fuzzer.log" 2>&1 || status=$?
  tail -n 12 "build-fuzz/$fuzzer.log"
  "build-fuzz/fuzz/$fuzzer" -merge=1 "$corpus" "$scratch" > /dev/null 2>&1 || true
  if ((status != 0)); then
    findings=$((findings + 1))
    echo "$fuzzer stopped on a finding (status $status); its log: build-fuzz/$fuzzer.log"
  fi
}
run ShortcutReaderFuzzer shortcut_reader 8192
run PageEscapingFuzzer page_escaping 1024
run WholeRunFuzzer whole_run 512
echo "Findings, if any, are build-fuzz/*-crash-*; turn each into a test under tests/ and its input into the corpus."
exit $((findings > 0))
