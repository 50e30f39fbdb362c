#!/usr/bin/env bash
# Sets up, builds and starts the planner. Without arguments it shows a sample plan (a 300 nm
# trip with a 100 nm alternate); any arguments go to tarnwick-plan as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev

sample_plan=(
  --set cboTripDistance=300 --set cboCruisingAlt=FL200 --set txtHeadwind=30 --set cboTemp=20
  --set cboAlternateDistance=100 --set cboCruisingAltAlt=FL150 --set txtHeadwindAlt=10
  --set txtPayload=6000 --set txtTaxiFuel=100 --set txtHoldingFuel=300 --set txtMinimumFuel=600
)
if [ $# -eq 0 ]; then set -- "${sample_plan[@]}"; fi
exec build/bin/tarnwick-plan "$@"
