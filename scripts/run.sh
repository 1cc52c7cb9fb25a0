#!/usr/bin/env bash
# Builds the logger and starts it in its run folder (run/ beside the sources,
# or the folder given as the first argument). The shipped tables are copied
# into the run folder only where the operator has none, so nothing of the
# operator's is ever overwritten.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQP_TESTS=OFF >/dev/null
cmake --build "$top/build/release" --target zqplog
run_dir="${1:-$top/run}"
mkdir -p "$run_dir"
for f in "$top"/data/*; do
  name="$(basename "$f")"
  [ -e "$run_dir/$name" ] || cp "$f" "$run_dir/$name"
done
cd "$run_dir"
exec "$top/build/release/zqplog"
