#!/usr/bin/env bash
# Builds the core, markroll-cli and their tests twice more, with
# AddressSanitizer and UndefinedBehaviorSanitizer, then with ThreadSanitizer
# (for the cold-cache helper threads), and runs the core's suites in each.
# Usage: bash scripts/test-sanitizers.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/packages.sh
source scripts/packages.sh
install_packages "${run_packages[@]}" "${test_packages[@]}"

# Memory limits and a sanitizer's own reserved memory do not go together, so
# the runs under real limits are left to the plain build.
exclude='CliLimits\.'
for sanitizers in address,undefined thread; do
  build=build-sanitize-${sanitizers%%,*}
  echo "== the core's tests with -fsanitize=$sanitizers"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMARKROLL_QT_WINDOW=OFF \
    -DMARKROLL_SANITIZE="$sanitizers" > /dev/null
  cmake --build "$build" --parallel "$(nproc)" --target text_tests platform_tests generator_tests whole_run_tests cli_tests fuzz_corpus_tests
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan-suppressions.txt:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" -E "$exclude" --no-tests=error
done
