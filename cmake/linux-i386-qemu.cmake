# Compiles the core's tests as a 32-bit x86 Linux program with the 32-bit Windows program's
# floating point (x86-floating-point.cmake), with Debian's g++-multilib, linked statically and
# run by qemu-i386-static (qemu-user-static), which emulates the x87 unit with its 80-bit
# registers: the 32-bit program's arithmetic tested on any machine, whatever its kernel or Wine.
include("${CMAKE_CURRENT_LIST_DIR}/x86-floating-point.cmake")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 ${RAMKA_X86_FLOATING_POINT}")
set(CMAKE_CXX_FLAGS_INIT "-m32 ${RAMKA_X86_FLOATING_POINT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386-static)
