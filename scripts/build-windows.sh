#!/usr/bin/env bash
# Cross-builds the Windows artefacts with mingw-w64 into build-windows/:
# Kelvane.dll, its import library libKelvane.dll.a, Kelvane.def, kelvane.exe
# and the test programs (win32-layer/kelvane_win32_tests.exe lies in a folder
# of its own: that folder is its data directory). Extra arguments go to CMake.
#
#   bash scripts/build-windows.sh
#   bash scripts/build-windows.sh -DKELVANE_TESTS=OFF     # the DLL and the tool only
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake "$@" >/dev/null
cmake --build build-windows -j "$(nproc 2>/dev/null || echo 2)"
