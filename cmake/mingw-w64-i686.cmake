# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686), the variant
# with POSIX threads, as for 64-bit: the same program for the older 32-bit machines, which also
# runs on 64-bit Windows and on Windows on ARM. Its floating point is the one the core's 32-bit
# tests run with under qemu (x86-floating-point.cmake).
include("${CMAKE_CURRENT_LIST_DIR}/x86-floating-point.cmake")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_C_FLAGS_INIT "${RAMKA_X86_FLOATING_POINT}")
set(CMAKE_CXX_FLAGS_INIT "${RAMKA_X86_FLOATING_POINT}")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
