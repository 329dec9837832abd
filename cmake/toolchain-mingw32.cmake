# Cross-builds Kelvane.dll, kelvane.exe and the test programs for 32-bit
# Windows (x86) with Debian's mingw-w64 (g++-mingw-w64-i686), run under
# 32-bit Wine (wine32:i386).
#
#   cmake -S . -B build-windows32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KELVANE_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
