#!/usr/bin/env bash
# Builds the fuzz targets (file readers, and the readers of what devices and
# peers send) with clang and libFuzzer, in build/fuzz apart from the test
# build, and runs each for a while on its seed corpus in fuzz/corpus.
# CI has two cores and five minutes for all of it: the build takes about two,
# and twenty-odd targets at 10 seconds, two at a time, about two more.
#   ZQP_FUZZ_SECONDS   seconds per target (default 10; 0 builds only)
#   ZQP_FUZZ_PARALLEL  targets run at once (default 2)
#   ZQP_FUZZ_TARGETS   names to run (default all, e.g. "log_fuzz county_table_fuzz")
#   ZQP_JOBS, else CMAKE_BUILD_PARALLEL_LEVEL: compiler jobs of the build
# Inputs found on the way are kept in build/fuzz/corpus/<target>; a failing
# input is written to build/fuzz/crash-* and its report printed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build/fuzz"
CXX=clang++ cmake -S "$top/fuzz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j "${ZQP_JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}"

seconds="${ZQP_FUZZ_SECONDS:-10}"
parallel="${ZQP_FUZZ_PARALLEL:-2}"
[ "$seconds" -gt 0 ] || exit 0
if [ -n "${ZQP_FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$ZQP_FUZZ_TARGETS"
else
  targets=()
  for source in "$top"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

run_target() {
  local name="$1" seeds="$top/fuzz/corpus/${1%_fuzz}"
  mkdir -p "$build/corpus/$name"
  if (cd "$build" && ASAN_OPTIONS=detect_leaks=1 ./"$name" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 "$build/corpus/$name" "$seeds" >"$build/$name.log" 2>&1); then
    echo "fuzz $name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$name.log" | grep -o '[0-9]*$') runs, no fault"
  else
    echo "fuzz $name FAILED:"
    tail -n 60 "$build/$name.log"
    return 1
  fi
}

failed=0
running=0
for name in "${targets[@]}"; do
  if [ "$running" -ge "$parallel" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_target "$name" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
