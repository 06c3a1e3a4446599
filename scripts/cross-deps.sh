#!/usr/bin/env bash
# Installs, when missing, what the cross builds need: Debian's AArch64 and i386 cross compilers,
# the :arm64 and :i386 libraries orvane-cli links (multiarch), and qemu to run the builds: the
# i386 one runs natively only where the kernel runs 32-bit programs. For Windows: the MinGW-w64
# compilers, MinGW zlib, GoogleTest's sources and Wine (the other libraries are built from the
# pinned sources), NSIS for the installer, icoutils, zip and unzip to check the packages;
# clang++ for the clang build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
libs=(libspng-dev zlib1g-dev libimagequant-dev libfreetype-dev libstdc++6 libgcc-s1)
packages=(g++-aarch64-linux-gnu g++-i686-linux-gnu qemu-user-static clang
          g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine64
          nsis icoutils zip unzip)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
for arch in arm64 i386; do
    for l in "${libs[@]}"; do packages+=("$l:$arch"); done
    # A new architecture's packages are missing, so deps.sh then fetches fresh package lists.
    dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
done
"$here/deps.sh" "${packages[@]}"
