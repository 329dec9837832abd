#!/usr/bin/env bash
# Installs the Debian packages the build and tests need, when run as root and
# something is missing. Elsewhere it only says what is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev binutils
          libcli11-dev nlohmann-json3-dev libicu-dev pkg-config tzdata python3
          g++-mingw-w64-x86-64 wine wine64 googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${missing[@]}"
else
  echo "missing packages: ${missing[*]} (run as root, or: sudo apt-get install -y ${missing[*]})" >&2
  exit 1
fi
