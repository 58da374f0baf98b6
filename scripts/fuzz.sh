#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# into build-fuzz/ and runs each for a bounded time, as many at once as there are cores.
#
#   bash scripts/fuzz.sh [seconds per target, default 30] [target ...]
#
# Each target starts from its seeds in fuzz/corpus/<target>/ and from what earlier runs
# found (build-fuzz/corpus/<target>/). A crash, a hang (an input running longer than
# FUZZ_TIMEOUT seconds), a leak or a sanitizer report fails the run; the input that found
# it lies in build-fuzz/artifacts/<target>/ and reproduces with
#   build-fuzz/<target> build-fuzz/artifacts/<target>/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
SECONDS_PER_TARGET=${1:-30}
shift || true
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
JOBS=${FUZZ_JOBS:-$(nproc)}
FUZZ_TIMEOUT=${FUZZ_TIMEOUT:-10}

bash scripts/setup.sh
cmake -S fuzz -B "$BUILD_DIR" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$BUILD_DIR"

if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  mapfile -t TARGETS < <(grep -v '^$' "$BUILD_DIR/targets.txt")
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)}
export QT_QPA_PLATFORM=offscreen

run_target() {
  local t=$1
  local work="$BUILD_DIR/corpus/$t" art="$BUILD_DIR/artifacts/$t" log="$BUILD_DIR/logs/$t.log"
  mkdir -p "$work" "$art" "$BUILD_DIR/logs"
  local dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=("-dict=fuzz/dict/$t.dict")
  local seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds=("fuzz/corpus/$t")
  if "$BUILD_DIR/$t" -max_total_time="$SECONDS_PER_TARGET" -timeout="$FUZZ_TIMEOUT" -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$art/" "${dict[@]}" "$work" "${seeds[@]}" >"$log" 2>&1; then
    echo ok >"$log.result"
  else
    echo FAILED >"$log.result"
  fi
}

echo "Fuzzing ${#TARGETS[@]} targets, ${SECONDS_PER_TARGET} s each, $JOBS at a time"
running=0
for t in "${TARGETS[@]}"; do
  [ -x "$BUILD_DIR/$t" ] || { echo "no such fuzz target: $t" >&2; exit 2; }
  rm -f "$BUILD_DIR/logs/$t.log.result"
  run_target "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

failed=0
printf '%-22s %-7s %14s %10s\n' target result executions "exec/s"
for t in "${TARGETS[@]}"; do
  log="$BUILD_DIR/logs/$t.log"
  result=$(cat "$log.result" 2>/dev/null || echo FAILED)
  execs=$(grep -a 'stat::number_of_executed_units' "$log" | tail -1 | awk '{print $2}')
  rate=$(grep -a 'stat::average_exec_per_sec' "$log" | tail -1 | awk '{print $2}')
  printf '%-22s %-7s %14s %10s\n' "$t" "$result" "${execs:--}" "${rate:--}"
  [ "$result" = ok ] || failed=1
done
for t in "${TARGETS[@]}"; do
  log="$BUILD_DIR/logs/$t.log"
  if [ "$(cat "$log.result" 2>/dev/null)" != ok ]; then
    echo "---- $t: the end of $log"
    tail -n 60 "$log"
    ls "$BUILD_DIR/artifacts/$t"
  fi
done
exit $failed
