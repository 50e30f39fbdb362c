#!/usr/bin/env bash
# Usage: tools/fuzz-long.sh [RUNS] [TARGET...]
# Builds the fuzz preset and runs every libFuzzer target of fuzz/targets.list (or only the
# targets named) to RUNS inputs, 10000000 by default (0: no limit but the time), each on a
# scratch copy of its seed corpus. Prints each target's inputs, time and result; a finding's
# input is kept in build/fuzz/findings/<target>/. Ends with status 1 when any target found
# something.
# - TARNWICK_FUZZ_JOBS (default: the number of processors) fuzzers share each target's runs,
#   each with a seed of its own, on the same corpus; the target's inputs are their sum, and the
#   first finding stops them all.
# - TARNWICK_FUZZ_MAX_SECONDS, when set, also stops each target after that many seconds (on a
#   busy machine, or for a short run); its line then says how far it got.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

runs=${1:-10000000}
max_seconds=${TARNWICK_FUZZ_MAX_SECONDS:-0}
workers=${TARNWICK_FUZZ_JOBS:-$(nproc)}
shift $(($# > 0 ? 1 : 0))
wanted=("$@")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
findings=build/fuzz/findings

# Runs the target's fuzzers, each to its share of the runs; fails at the first finding, after
# stopping the others.
fuzz_shares() {
  local target=$1 corpus=$2 share=$3 worker finished=""
  local -a running=()
  for worker in $(seq "$workers"); do
    "build/fuzz/bin/$target" -runs="$share" -max_total_time="$max_seconds" -seed="$worker" \
      -print_final_stats=1 -artifact_prefix="$findings/$target/" "$corpus" \
      </dev/null >"$scratch/$target.$worker.log" 2>&1 &
    running+=($!)
  done
  while [ ${#running[@]} -gt 0 ]; do
    if ! wait -n -p finished "${running[@]}"; then
      kill "${running[@]}" 2>/dev/null || true
      wait "${running[@]}" 2>/dev/null || true
      return 1
    fi
    local -a still=()
    for worker in "${running[@]}"; do [ "$worker" = "$finished" ] || still+=("$worker"); done
    running=("${still[@]}")
  done
}

# Runs one target; prints its line and fails when it found something.
fuzz_long() {
  local target=$1 seeds=$2
  local corpus="$scratch/$target" share=-1 start=$SECONDS status=0
  mkdir -p "$corpus" "$findings/$target"
  cp "$seeds"/* "$corpus"/
  [ "$runs" -gt 0 ] && share=$(((runs + workers - 1) / workers))
  fuzz_shares "$target" "$corpus" "$share" || status=$?
  local inputs
  inputs=$(cat "$scratch/$target".*.log |
    sed -n 's/^stat::number_of_executed_units: *//p' | awk '{ sum += $1 } END { print sum + 0 }')
  local took=$((SECONDS - start))
  if [ "$status" -eq 0 ]; then
    local note=""
    [ "$runs" -gt 0 ] && [ "$inputs" -lt "$runs" ] &&
      note=" (stopped by the time limit before $runs)"
    printf '%-24s %12s inputs %7d s  clean%s\n' "$target" "$inputs" "$took" "$note"
    return 0
  fi
  printf '%-24s %12s inputs %7d s  FINDING\n' "$target" "$inputs" "$took"
  cat "$scratch/$target".*.log |
    grep -E '^(property violated|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' |
    sed 's/^/    /' || cat "$scratch/$target".*.log | tail -n 20 | sed 's/^/    /'
  return 1
}

echo "$workers fuzzers share each target"
failed=0
while read -r target seeds _; do
  case $target in '' | '#'*) continue ;; esac
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $target "* ]]; then continue; fi
  fuzz_long "$target" "$seeds" || failed=1
done <fuzz/targets.list
exit "$failed"
