#!/usr/bin/env bash
# Builds everything and runs every test: a Release build with g++, then
# clang under AddressSanitizer and UndefinedBehaviorSanitizer; clang's
# Release build of the engine, the library and the tool is compiled too.
# Warnings are errors in all of them. Then the threaded rewrites run under
# ThreadSanitizer, the fuzzers for a bounded time, and the Windows build is
# cross-built with mingw-w64 and its tests run under Wine. Run as root on a fresh machine, it
# first installs what the build needs.
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

echo "== Release build with g++ =="
run_suite build -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
echo "== sanitizer build with clang (ASan + UBSan) =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-sanitize -DKELVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DKELVANE_WERROR=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
echo "== Release build with clang (engine, library, tool) =="
cmake -S . -B build-clang-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DKELVANE_TESTS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-clang-release -j "$jobs" --target Kelvane kelvane
echo "== threaded rewrites under ThreadSanitizer (clang) =="
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_WERROR=ON -DKELVANE_BENCHMARKS=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_C_FLAGS=-fsanitize=thread \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build build-tsan -j "$jobs" --target kelvane_tests
# clang 14's TSan needs the address space laid out without randomisation.
TSAN_OPTIONS=halt_on_error=1 setarch "$(uname -m)" -R \
  build-tsan/tests/kelvane_tests --gtest_filter='ConcurrentRewrites.Threads*'
echo "== fuzzers, each for a bounded time (ASan + UBSan) =="
bash scripts/fuzz.sh 20
echo "== Windows build with mingw-w64, tests under Wine =="
bash scripts/test-windows.sh build/tools/kelvane/kelvane
echo "== tests against code =="
bash scripts/test-ratio.sh
