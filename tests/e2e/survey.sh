#!/usr/bin/env bash
# Many seeded maps in both modes through the whole run: every saved file must pass the level
# file checks (chunk order and CRCs, level chunk, palette with black first, size, name).
set -euo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
survey="$here/../../tools/survey.py"
python3 "$survey" --count 40 --prefix e2e --cli "$build/orvane-cli" | grep -v " ok$"
python3 "$survey" --count 40 --prefix e2e --wfw --cli "$build/orvane-cli" | grep -v " ok$"
