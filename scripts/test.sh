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
# A sound server of the tests' own (scripts/sound_server.sh: PipeWire with a
# null sink that plays in real time, spoken to through its PulseAudio
# protocol): the voice keyer, the spoken prompts and the beep play through a
# real device, as on an operator's desktop, with no sound card and no login
# session needed, and a message ends when its last sample has played. It
# and everything it started end with this script, however it ends.
sound_dir="$(mktemp -d)"
"$top/scripts/sound_server.sh" "$sound_dir" &
sound_server=$!
trap 'kill "$sound_server" 2>/dev/null; wait "$sound_server" 2>/dev/null || true; rm -rf "$sound_dir"' EXIT
for _ in $(seq 600); do
  [ -s "$sound_dir/address" ] && break
  kill -0 "$sound_server" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$sound_dir/address" ]; then
  # The server prints its logs when it gives up; these are for a server
  # that neither came nor gave up in time.
  echo "The test sound server did not start within 60 s."
  for log in "$sound_dir"/*.log; do [ -e "$log" ] && { echo "--- ${log##*/}"; cat "$log"; }; done
  exit 1
fi
PULSE_SERVER="$(cat "$sound_dir/address")"
export PULSE_SERVER
export ZQP_REQUIRE_SOUND=1
# Leaks are reported; the suppressions name only what the system's own
# libraries keep for the life of the process.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"
for tool_test in "$top"/tools/test_*.py; do python3 "$tool_test" -q; done
ctest --test-dir "$build" --output-on-failure -j "$jobs"
# Every reader of outside input under libFuzzer, ten seconds each.
"$top/scripts/fuzz.sh"
