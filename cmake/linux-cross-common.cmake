# What the Linux cross toolchains share; the toolchain file names the
# architecture (CMAKE_SYSTEM_PROCESSOR), Debian's target triplet
# (KELVANE_CROSS_TRIPLET) and the qemu-user program that runs its binaries
# (KELVANE_QEMU) first.
#
# No binfmt handler is assumed: CTest starts every program of the target
# through CMAKE_CROSSCOMPILING_EMULATOR, qemu with -L the cross sysroot, so
# the target's dynamic loader and libraries are found there.
set(CMAKE_SYSTEM_NAME Linux)
set(KELVANE_CROSS_SYSROOT /usr/${KELVANE_CROSS_TRIPLET})

set(CMAKE_C_COMPILER ${KELVANE_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${KELVANE_CROSS_TRIPLET}-g++)

set(CMAKE_FIND_ROOT_PATH ${KELVANE_CROSS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(KELVANE_QEMU_PROGRAM ${KELVANE_QEMU})
if(KELVANE_QEMU_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVANE_QEMU_PROGRAM} -L ${KELVANE_CROSS_SYSROOT})
endif()

# CLI11 and nlohmann-json, header-only, from the build host (see header-only/).
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only CACHE PATH "CLI11 for the cross build")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only CACHE PATH "nlohmann-json for the cross build")
