#!/usr/bin/env bash
# Builds everything and runs every test, plain and under AddressSanitizer and
# UndefinedBehaviorSanitizer, then cross-builds the Windows artefacts and runs
# their tests under Wine. Run as root on a fresh machine, it first installs
# what the build needs.
set -euo pipefail
cd "$(dirname "$0")/.."

"$(dirname "$0")/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

echo "== plain build with g++ =="
run_suite build
echo "== sanitizer build with clang (ASan + UBSan) =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-sanitize -DKELVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
echo "== Windows build with mingw-w64, tests under Wine =="
bash scripts/test-windows.sh build/tools/kelvane/kelvane
