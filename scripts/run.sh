#!/usr/bin/env bash
# Installs what is missing, builds the release programs, makes the saved-levels folder beside
# them if needed, and starts the window. Maps go to build/release/User/SavedLevels/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvane orvane-cli
mkdir -p build/release/User/SavedLevels
echo "Maps are saved in $root/build/release/User/SavedLevels/ unless a folder was chosen with Folder…"
exec build/release/orvane "$@"
