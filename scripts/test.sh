#!/usr/bin/env bash
# Builds the logger and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every test headless.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="$top/build/test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQP_SANITIZE=ON -DZQP_TESTS=ON -DZQP_BENCH=ON >/dev/null
jobs="${ZQP_JOBS:-$(nproc)}"
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
for tool_test in "$top"/tools/test_*.py; do python3 "$tool_test" -q; done
ctest --test-dir "$build" --output-on-failure -j "$jobs"
