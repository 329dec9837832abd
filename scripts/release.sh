#!/usr/bin/env bash
# Builds the release archives and packages into dist/ with CPack:
#   Kelvane-<version>-win64.zip, Kelvane-<version>-win32.zip   (mingw-w64)
#   Kelvane-<version>-Linux-x86_64.tar.gz                       (g++)
#   libkelvane0_<version>_amd64.deb, libkelvane-dev_<version>_amd64.deb,
#   kelvane_<version>_amd64.deb       (apt-get install ./dist/<name>.deb)
# and, for each system, Kelvane-<version>-<system>-debug.tar.gz: the debug
# information the shipped binaries were stripped of (<binary>.debug; put it
# beside the binary and the debugger finds it through the binary's debug link).
# Optimised builds with debug information, warnings as errors, no tests.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install-deps.sh" --all

version=$(sed -n 's/^#define KELVANE_VERSION_STRING "\(.*\)"$/\1/p' include/Kelvane.h)
jobs=$(nproc 2>/dev/null || echo 2)
rm -rf dist
mkdir -p dist

# A release build of one system in build-release-<system>/, packed by CPack.
release() {
  local system=$1; shift
  local dir=build-release-$system
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVANE_WERROR=ON \
    -DKELVANE_TESTS=OFF -DKELVANE_BENCHMARKS=OFF "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && cpack -B "$PWD/cpack" >/dev/null)
  find "$dir" -maxdepth 3 -name '*.debug' -printf '%P\n' |
    tar -czf "dist/Kelvane-$version-$system-debug.tar.gz" -C "$dir" -T -
}

release win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
release win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
release Linux-x86_64 -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
rm -rf dist/_CPack_Packages
ls -l dist
