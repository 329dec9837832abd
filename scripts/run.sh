#!/usr/bin/env bash
# Builds the kelvane tool and runs the world clock on the shipped data/.
# Installs only what that needs (no test tools, no cross compilers).
# Any arguments replace "clock": scripts/run.sh zones --group Europe
set -euo pipefail
cd "$(dirname "$0")/.."
"$(dirname "$0")/install-deps.sh"
cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DKELVANE_TESTS=OFF >/dev/null
cmake --build build --target kelvane -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
if [ $# -eq 0 ]; then set -- clock; fi
exec build/tools/kelvane/kelvane "$@"
