#!/usr/bin/env bash
# Installs the Debian packages the project needs, when run as root and
# something is missing. Elsewhere it only says what is missing.
#
#   bash scripts/install-deps.sh          # building and running the kelvane tool
#   bash scripts/install-deps.sh --all    # and every test: sanitizers, the
#                                         # Windows builds under 32- and 64-bit
#                                         # Wine, the cross compilers and qemu
set -euo pipefail
packages=(cmake ninja-build g++ libcli11-dev nlohmann-json3-dev)
if [ "${1:-}" = --all ]; then
  packages+=(clang libgtest-dev libgmock-dev libbenchmark-dev googletest binutils libicu-dev pkg-config
             tzdata python3 dpkg-dev file llvm
             g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386
             g++-arm-linux-gnueabihf g++-aarch64-linux-gnu g++-s390x-linux-gnu qemu-user)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root, or: sudo apt-get install -y ${missing[*]})" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine (wine32:i386) comes from the i386 architecture.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update
apt-get install -y "${missing[@]}"
