# Cross-builds Kelvane.dll, kelvane.exe and the test programs for 64-bit
# Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64), run under Wine.
#
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELVANE_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
