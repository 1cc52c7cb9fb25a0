#!/usr/bin/env bash
# Builds the logger and its tests with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer, runs every test headless, then fuzzes the file
# readers for a short while (scripts/fuzz.sh).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="$top/build/test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQP_SANITIZE=ON -DZQP_TESTS=ON -DZQP_BENCH=ON >/dev/null
# ZQP_JOBS, else CMAKE_BUILD_PARALLEL_LEVEL, limits the build and the tests
# run at once (the fuzzing build too), for a busy machine.
jobs="${ZQP_JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}"
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
# A sound server of the tests' own with a null sink: the voice keyer, the
# spoken prompts and the beep play through a real device, as on an
# operator's desktop, with no sound card and no login session needed.
sound_dir="$(mktemp -d)"
pulseaudio -n --daemonize=no --use-pid-file=no --exit-idle-time=-1 --disallow-exit \
  -L "module-null-sink" -L "module-native-protocol-unix auth-anonymous=1 socket=$sound_dir/native" \
  >"$sound_dir/server.log" 2>&1 &
sound_server=$!
trap 'kill "$sound_server" 2>/dev/null; wait "$sound_server" 2>/dev/null; rm -rf "$sound_dir"' EXIT
for _ in $(seq 100); do
  [ -S "$sound_dir/native" ] && break
  kill -0 "$sound_server" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$sound_dir/native" ]; then
  echo "The test sound server did not start:"
  cat "$sound_dir/server.log"
  exit 1
fi
export PULSE_SERVER="unix:$sound_dir/native"
export ZQP_REQUIRE_SOUND=1
# Leaks are reported; the suppressions name only what the system's own
# libraries keep for the life of the process.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"
for tool_test in "$top"/tools/test_*.py; do python3 "$tool_test" -q; done
ctest --test-dir "$build" --output-on-failure -j "$jobs"
# Every reader of outside input under libFuzzer, ten seconds each.
"$top/scripts/fuzz.sh"
