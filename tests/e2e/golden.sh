#!/usr/bin/env bash
# Whole maps for fixed seeds in both modes, byte for byte. A change here changes every player's
# seeds: update golden-maps.sha256 only on purpose, and say so in the commit.
set -euo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seeds=(--seed golden-1 --seed golden-2 --seed 'Ünïcode€' --seed 12345)
"$build/orvane-cli" --quiet "${seeds[@]}" --out "$work"
"$build/orvane-cli" --quiet --wfw "${seeds[@]}" --out "$work"
cd "$work"
if sha256sum --check --strict "$here/golden-maps.sha256"; then
    [[ $(ls | wc -l) -eq $(wc -l < "$here/golden-maps.sha256") ]] || { ls; exit 1; }
    echo "ok: golden maps"
else
    echo "FAIL: maps differ from the golden ones; files made:"
    sha256sum -- *
    exit 1
fi
