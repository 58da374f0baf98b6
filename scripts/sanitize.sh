#!/usr/bin/env bash
# Runs the test suites under the sanitizers:
#   build-asan/  every test suite with AddressSanitizer (leaks included) and
#                UndefinedBehaviorSanitizer; any report fails its test;
#   build-tsan/  the suites of the threaded code (runtime threads, UDP listener, ICMP echo,
#                HTTP, process wait, the M-Bus scan engine) with ThreadSanitizer. Qt is not
#                instrumented, so no suite that runs Qt code belongs here.
# Both builds use gcc and ccache and leave the default build in build/ alone.
#
#   bash scripts/sanitize.sh [asan|tsan]     (both when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
WHAT=${1:-all}

# The threaded suites, each "executable" or "executable:gtest filter".
TSAN_TESTS=(
  test_platform_rtl
  test_platform_net
  test_platform_os
  test_mbus:ScanData*
  test_mbus:Comm*
  test_mbus:ScanEngine*
)

bash scripts/setup.sh
JOBS=$(nproc)
SUPP="$ROOT/scripts/sanitizers"
export QT_QPA_PLATFORM=offscreen

configure() {   # configure DIR FLAGS (again each time: a changed flag takes effect)
  local dir=$1 flags=$2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCONF_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
}

if [ "$WHAT" = all ] || [ "$WHAT" = asan ]; then
  echo "== AddressSanitizer + UndefinedBehaviorSanitizer: every test suite (build-asan)"
  configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake --build build-asan
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
  LSAN_OPTIONS="suppressions=$SUPP/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure -j "$JOBS"
fi

if [ "$WHAT" = all ] || [ "$WHAT" = tsan ]; then
  echo "== ThreadSanitizer: the threaded suites (build-tsan)"
  configure build-tsan "-fsanitize=thread -fno-omit-frame-pointer"
  targets=()
  for t in "${TSAN_TESTS[@]}"; do targets+=("${t%%:*}"); done
  cmake --build build-tsan --target "${targets[@]}"
  # The sanitizer's fixed memory layout needs the address space unshuffled on kernels that
  # randomise it more than it expects; where the personality cannot be changed (some
  # containers), the tests run as they are.
  NO_ASLR=()
  setarch "$(uname -m)" -R true 2>/dev/null && NO_ASLR=(setarch "$(uname -m)" -R)
  failed=0
  for t in "${TSAN_TESTS[@]}"; do
    exe=${t%%:*}
    filter='*'
    [ "$exe" != "$t" ] && filter=${t#*:}
    path=$(find build-tsan/tests -type f -name "$exe" -perm -u+x | head -n 1)
    echo "-- $exe ($filter)"
    if ! TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$SUPP/tsan.supp" \
         "${NO_ASLR[@]}" "$path" --gtest_filter="$filter" --gtest_brief=1; then
      failed=1
    fi
  done
  [ "$failed" = 0 ] || { echo "ThreadSanitizer: a suite failed" >&2; exit 1; }
fi
