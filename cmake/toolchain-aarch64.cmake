# Cross-builds for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu;
# the programs run under qemu-aarch64 (qemu-user).
#
#   cmake -S . -B build-aarch64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64.cmake
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(KELVANE_CROSS_TRIPLET aarch64-linux-gnu)
set(KELVANE_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
