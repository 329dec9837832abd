#!/usr/bin/env bash
# Builds everything and runs every test, one stage after another, each
# stage's time printed as it ends and all of them at the close:
#   - a Release build with g++ (every test, the timed ones included), then
#     clang under AddressSanitizer and UndefinedBehaviorSanitizer, clang's
#     Release build of the engine, the library and the tool, the threaded
#     rewrites under ThreadSanitizer and the fuzzers for a bounded time;
#   - every other target, its tests under its emulator: Windows x86_64 and
#     x86 under Wine, Linux armhf and s390x (big-endian) under qemu, Linux
#     aarch64 built and its tool run; each target's tool must answer as the
#     x86_64 Linux one does.
# Warnings are errors in all of them. Run as root on a fresh machine, it
# first installs what the build and the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."

"$(dirname "$0")/install-deps.sh" --all

jobs=$(nproc 2>/dev/null || echo 2)
timings=()
stage() {
  local name=$1 start=$SECONDS; shift
  echo "== $name =="
  "$@"
  local line
  line=$(printf '%-52s %4d s' "$name" $((SECONDS - start)))
  echo "-- $line"
  timings+=("$line")
}
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}
sanitizers() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-sanitize -DKELVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DKELVANE_WERROR=ON \
      -DKELVANE_TESTS=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}
clang_release() {
  cmake -S . -B build-clang-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DKELVANE_TESTS=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-clang-release -j "$jobs" --target Kelvane kelvane
}
thread_sanitizer() {
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_WERROR=ON -DKELVANE_BENCHMARKS=OFF \
    -DKELVANE_TESTS=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_C_FLAGS=-fsanitize=thread \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
  cmake --build build-tsan -j "$jobs" --target kelvane_tests
  # clang 14's TSan needs the address space laid out without randomisation.
  # The test program runs only with a scratch zone file named (ctest names one).
  KELVANE_ZONE_FILE="$PWD/build-tsan/scratch-zone" TSAN_OPTIONS=halt_on_error=1 setarch "$(uname -m)" -R \
    build-tsan/tests/kelvane_tests --gtest_filter='ConcurrentRewrites.Threads*'
}

linux_tool=build/tools/kelvane/kelvane
stage "Linux x86_64: Release build with g++" \
  run_suite build -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DKELVANE_TESTS=ON \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
stage "Linux x86_64: clang, ASan + UBSan" sanitizers
stage "Linux x86_64: clang Release (library, tool)" clang_release
stage "Linux x86_64: threaded rewrites under TSan" thread_sanitizer
stage "Linux x86_64: fuzzers, bounded" bash scripts/fuzz.sh 20
stage "Windows x86_64 (mingw-w64, Wine)" bash scripts/test-windows.sh x86_64 "$linux_tool"
stage "Windows x86 (mingw-w64, 32-bit Wine)" bash scripts/test-windows.sh x86 "$linux_tool"
stage "Linux armhf (qemu-arm)" bash scripts/test-cross.sh armhf "$linux_tool"
stage "Linux s390x, big-endian (qemu-s390x)" bash scripts/test-cross.sh s390x "$linux_tool"
stage "Linux aarch64: build, tool (qemu-aarch64)" bash scripts/test-cross.sh aarch64 "$linux_tool"
stage "tests against code" bash scripts/test-ratio.sh

echo "== stage times =="
printf '%s\n' "${timings[@]}"
echo "all $SECONDS s"
