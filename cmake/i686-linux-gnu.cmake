# Cross build for 32-bit x86 with Debian's cross compiler and its multiarch :i386 libraries
# (scripts/cross-deps.sh installs them). The x87 unit keeps extra precision in its registers,
# so doubles are computed in SSE2 registers instead, as on x86-64. Runs natively on an x86-64
# kernel with 32-bit support, else under qemu-i386-static.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVANE_TRIPLET i686-linux-gnu)
set(ORVANE_MULTIARCH i386-linux-gnu)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/MultiarchCross.cmake)
