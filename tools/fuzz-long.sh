#!/usr/bin/env bash
# Usage: tools/fuzz-long.sh [RUNS] [TARGET...]
# Builds the fuzz preset and runs every libFuzzer target of fuzz/targets.list (or only the
# targets named) to RUNS inputs, 10000000 by default, each on a scratch copy of its seed corpus.
# Prints each target's inputs, time and result; a finding's input is kept in
# build/fuzz/findings/<target>/. Ends with status 1 when any target found something.
# TARNWICK_FUZZ_MAX_SECONDS, when set, also stops each target after that many seconds (on a
# busy machine); its line then says how far it got.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10000000}
max_seconds=${TARNWICK_FUZZ_MAX_SECONDS:-0}
shift $(($# > 0 ? 1 : 0))
wanted=("$@")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
findings=build/fuzz/findings

# Runs one target; prints its line and fails when it found something.
fuzz_long() {
  local target=$1 seeds=$2
  local corpus="$scratch/$target" log="$scratch/$target.log"
  mkdir -p "$corpus" "$findings/$target"
  cp "$seeds"/* "$corpus"/
  local start=$SECONDS status=0
  "build/fuzz/bin/$target" -runs="$runs" -max_total_time="$max_seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$target/" "$corpus" </dev/null >"$log" 2>&1 || status=$?
  local inputs
  inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    local note=""
    [ "${inputs:-0}" -lt "$runs" ] && note=" (stopped by the time limit before $runs)"
    printf '%-24s %12s inputs %7d s  clean%s\n' "$target" "${inputs:-?}" $((SECONDS - start)) "$note"
    return 0
  fi
  printf '%-24s %12s inputs %7d s  FINDING (status %d)\n' "$target" "${inputs:-?}" \
    $((SECONDS - start)) "$status"
  grep -E '^(property violated|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' "$log" |
    sed 's/^/    /' || tail -n 20 "$log" | sed 's/^/    /'
  return 1
}

failed=0
while read -r target seeds; do
  case $target in '' | '#'*) continue ;; esac
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $target "* ]]; then continue; fi
  fuzz_long "$target" "$seeds" || failed=1
done <fuzz/targets.list
exit "$failed"
