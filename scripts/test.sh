#!/usr/bin/env bash
# Builds the logger and its tests with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, runs every test headless, then fuzzes the file
# readers for a short while (scripts/fuzz.sh).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="$top/build/test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQP_SANITIZE=ON -DZQP_TESTS=ON -DZQP_BENCH=ON >/dev/null
jobs="${ZQP_JOBS:-$(nproc)}"
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
# Leaks are reported; the suppressions name only what the system's own
# libraries keep for the life of the process.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"
for tool_test in "$top"/tools/test_*.py; do python3 "$tool_test" -q; done
ctest --test-dir "$build" --output-on-failure -j "$jobs"
# Every reader of outside input under libFuzzer, ten seconds each.
"$top/scripts/fuzz.sh"
