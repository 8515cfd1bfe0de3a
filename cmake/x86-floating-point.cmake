# How the 32-bit x86 programs do their floating-point arithmetic, written once for the 32-bit
# Windows program and for the 32-bit build of the core's tests that runs under qemu, so that the
# two cannot drift apart: on the x87 unit, whose registers hold 80 bits, for the Pentium Pro and
# later, as MinGW-w64's i686 compiler does by default. Reading the count text, the floor, the
# square root and the comparisons of the search all run through it.
set(RAMKA_X86_FLOATING_POINT "-march=pentiumpro -mfpmath=387")
