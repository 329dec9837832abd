#!/usr/bin/env bash
# Cross-builds for a Linux target with Debian's cross compilers into
# build-<target>/ and runs its tests under qemu-user (no binfmt handler:
# CTest starts every program through qemu, -L the cross sysroot). Given the
# kelvane tool of an x86_64 Linux build, it also checks that the target's
# tool answers alike.
#
#   bash scripts/test-cross.sh armhf|s390x [build/tools/kelvane/kelvane]
#       the library, the tool and the test program; every test
#   bash scripts/test-cross.sh aarch64 [build/tools/kelvane/kelvane]
#       the library and the tool; the tool's tests only
set -euo pipefail
cd "$(dirname "$0")/.."

target=$1
linux_tool=${2:-}
[ -n "$linux_tool" ] && linux_tool=$(realpath "$linux_tool")
dir=build-$target
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$target.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DKELVANE_LINUX_TOOL="$linux_tool" >/dev/null
jobs=$(nproc 2>/dev/null || echo 2)
if [ "$target" = aarch64 ]; then
  cmake --build "$dir" -j "$jobs" --target Kelvane kelvane
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure -R '^(kelvane_tool|answers_alike_with_linux_x86_64|shared_library_exports)$'
else
  cmake --build "$dir" -j "$jobs" --target Kelvane kelvane kelvane_tests kelvane_header_c11
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
fi
