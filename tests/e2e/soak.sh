#!/usr/bin/env bash
# A short soak of this build (tools/soak.sh): seeded maps in both modes, valid and the same
# bytes whatever came before them. SOAK_SEEDS sets the number of seeds (default 8).
set -uo pipefail
build=${1:?build folder}
exec bash "$(dirname "$0")/../../tools/soak.sh" "${SOAK_SEEDS:-8}" "$build"
