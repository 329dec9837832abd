# What both Windows toolchains share; the toolchain file names the
# architecture (CMAKE_SYSTEM_PROCESSOR) and the compilers' prefix
# (KELVANE_MINGW_PREFIX) first.
#
# The -posix compilers: GoogleTest and the standard library's threads use
# winpthreads, which is linked in statically like libgcc and libstdc++, so
# nothing built here needs a MinGW runtime DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KELVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${KELVANE_MINGW_PREFIX}-objdump CACHE FILEPATH "objdump of the target")
set(CMAKE_OBJCOPY ${KELVANE_MINGW_PREFIX}-objcopy CACHE FILEPATH "objcopy of the target")

# Libraries and headers of the target only; programs (cmake, wine) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLL: libgcc, libstdc++ and winpthreads linked statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs run under Wine (a 32-bit program needs Debian's
# wine32:i386 beside wine64); its debug chatter stays off.
find_program(KELVANE_WINE wine)
if(KELVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEDEBUG=-all ${KELVANE_WINE})
endif()

# CLI11 and nlohmann-json, header-only, from the build host (see header-only/).
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only CACHE PATH "CLI11 for the cross build")
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/header-only CACHE PATH "nlohmann-json for the cross build")
