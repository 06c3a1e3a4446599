#!/usr/bin/env bash
# Installs, when missing, what the cross builds need: Debian's AArch64 and i386 cross compilers,
# the :arm64 and :i386 libraries orvane-cli links (multiarch), and qemu to run the builds: the
# i386 one runs natively only where the kernel runs 32-bit programs.
set -euo pipefail
libs=(libspng-dev zlib1g-dev libimagequant-dev libfreetype-dev libstdc++6 libgcc-s1)
packages=(g++-aarch64-linux-gnu g++-i686-linux-gnu qemu-user-static)
for arch in arm64 i386; do
    for l in "${libs[@]}"; do packages+=("$l:$arch"); done
done
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    foreign=$(dpkg --print-foreign-architectures)
    added=0
    for arch in arm64 i386; do
        grep -qx "$arch" <<<"$foreign" || { $sudo dpkg --add-architecture "$arch"; added=1; }
    done
    # A new architecture needs fresh package lists even when the native ones are current.
    if ((added)) || ! apt-cache show "libspng-dev:arm64" >/dev/null 2>&1; then
        $sudo apt-get update -q
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
