#!/usr/bin/env bash
# Cross-builds the Windows artefacts (scripts/build-windows.sh) and runs their
# tests under Wine in a throw-away Wine prefix, stopping the Wine server at the
# end; 32-bit programs run under Wine's 32-bit half (wine32:i386). Given the
# kelvane tool of an x86_64 Linux build, it also checks that both answer
# the read exports alike:
#
#   bash scripts/test-windows.sh [x86_64|x86] [build/tools/kelvane/kelvane]
set -euo pipefail
cd "$(dirname "$0")/.."

arch=x86_64
case ${1:-} in x86|x86_64) arch=$1; shift ;; esac
dir=build-windows; [ "$arch" = x86 ] && dir=build-windows32
linux_tool=${1:-}
[ -n "$linux_tool" ] && linux_tool=$(realpath "$linux_tool")
bash scripts/build-windows.sh "$arch" -DCMAKE_BUILD_TYPE=Release -DKELVANE_WERROR=ON -DKELVANE_LINUX_TOOL="$linux_tool"

export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# One server for the whole run, and Wine's own services started before the
# tests: a service started by a test would inherit its output pipes and keep
# the test waiting until the server exits.
wineserver -p
wine wineboot -i >/dev/null 2>&1
ctest --test-dir "$dir" -j 2 --output-on-failure
