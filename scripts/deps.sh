#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Orvane need, when missing.
# With arguments, installs those packages instead (scripts/cross-deps.sh).
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config clang-format clang libclang-rt-14-dev
    libfltk1.3-dev fluid libspng-dev zlib1g-dev libimagequant-dev libfreetype-dev
    fonts-dejavu-core libcli11-dev libgtest-dev libbenchmark-dev
    xvfb xauth xdotool xclip x11-utils pngcheck imagemagick python3 util-linux
    desktop-file-utils appstream lintian dpkg-dev file man-db
)
(($#)) && packages=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
