# Cross-builds for 32-bit ARM Linux (hard float) with Debian's
# g++-arm-linux-gnueabihf; the programs run under qemu-arm (qemu-user).
#
#   cmake -S . -B build-armhf -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake
set(CMAKE_SYSTEM_PROCESSOR arm)
set(KELVANE_CROSS_TRIPLET arm-linux-gnueabihf)
set(KELVANE_QEMU qemu-arm)
# A 64-bit time_t and file offsets on a 32-bit system: dates past 2038 and
# files past 2 GB.
set(CMAKE_C_FLAGS_INIT "-D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64")
# -Wno-psabi: g++ notes that GCC 10 changed how such a target passes some
# structures; everything here is built by one compiler.
set(CMAKE_CXX_FLAGS_INIT "-D_TIME_BITS=64 -D_FILE_OFFSET_BITS=64 -Wno-psabi")
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross-common.cmake)
