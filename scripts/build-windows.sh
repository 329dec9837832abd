#!/usr/bin/env bash
# Cross-builds the Windows artefacts with mingw-w64: for 64-bit Windows into
# build-windows/, for 32-bit (x86) into build-windows32/: Kelvane.dll, its
# import libraries libKelvane.dll.a (MinGW) and Kelvane.lib (MSVC),
# Kelvane.def, kelvane.exe and the test programs (win32-layer/
# kelvane_win32_tests.exe lies in a folder of its own: that folder is its
# data directory). Extra arguments go to CMake.
#
#   bash scripts/build-windows.sh                        # x86_64
#   bash scripts/build-windows.sh x86                    # 32-bit
#   bash scripts/build-windows.sh -DKELVANE_TESTS=OFF    # the DLL and the tool only
set -euo pipefail
cd "$(dirname "$0")/.."
arch=x86_64
case ${1:-} in x86|x86_64) arch=$1; shift ;; esac
if [ "$arch" = x86 ]; then dir=build-windows32 toolchain=mingw32; else dir=build-windows toolchain=mingw64; fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$toolchain.cmake" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)"
