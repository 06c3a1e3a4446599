# Cross build for AArch64 with Debian's cross compiler and its multiarch :arm64 libraries
# (scripts/cross-deps.sh installs them). Run the result with
#   QEMU_LD_PREFIX=/ qemu-aarch64-static build/aarch64/orvane-cli ...
# (the loader of libc6:arm64, not the cross toolchain's: mixing glibc builds hangs threads)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ORVANE_TRIPLET aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/MultiarchCross.cmake)
