# Cross-builds for big-endian Linux (IBM Z) with Debian's
# g++-s390x-linux-gnu; the programs run under qemu-s390x (qemu-user).
#
#   cmake -S . -B build-s390x -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-s390x.cmake
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(KELVANE_CROSS_TRIPLET s390x-linux-gnu)
set(KELVANE_QEMU qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
