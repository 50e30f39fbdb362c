#!/usr/bin/env bash
# Sets up, builds and opens the planner's window (which serves its own print page from the
# first Print on). Where there is no display to open it on, it
# says so and prints a sample plan (a 300 nm trip with a 100 nm alternate) from tarnwick-plan,
# the headless planner on the same window model. Any arguments go to tarnwick-plan as they are.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset dev >/dev/null
# Only the two programs this script starts: the tests and benchmarks are the test command's.
cmake --build --preset dev --target tarnwick tarnwick-plan

sample_plan=(
  --set cboTripDistance=300 --set cboCruisingAlt=FL200 --set txtHeadwind=30 --set cboTemp=20
  --set cboAlternateDistance=100 --set cboCruisingAltAlt=FL150 --set txtHeadwindAlt=10
  --set txtPayload=6000 --set txtTaxiFuel=100 --set txtHoldingFuel=300 --set txtMinimumFuel=600
)
if [ $# -gt 0 ]; then exec build/bin/tarnwick-plan "$@"; fi
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then exec build/bin/tarnwick; fi

echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."
echo "The same planner without its window, on a sample plan:"
echo
exec build/bin/tarnwick-plan "${sample_plan[@]}"
