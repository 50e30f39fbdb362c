#!/usr/bin/env bash
# Times the planner window's start-up from outside, beside a baseline in the same run: whole runs
# of build/bin/tarnwick and of build/bin/tarnwick-bare-qt-window (a bare Qt window with one
# plain widget for every row of the planner's layout), from exec to exit, offscreen, with
# TARNWICK_EXIT_WHEN_SHOWN=1 so that each run ends right after its window's first paint. The
# runs of the two alternate. Each run is a first start (empty settings in a private folder;
# nothing of the user's is read or written). One untimed run of each comes first: it checks that
# the program exits by itself and warms the file cache. Prints, for each, the median, fastest
# and slowest wall clock and the median CPU time (user + system), which other load on the
# machine disturbs less than the wall clock, and the planner's CPU time against the baseline's.
# Measures only; asserts nothing.
#
# Usage: tools/measure-startup.sh [RUNS (default 20)] [PROGRAM (default build/bin/tarnwick)]
#                                 [BASELINE (default build/bin/tarnwick-bare-qt-window)]
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR

runs=${1:-20}
program=${2:-"$(dirname "$0")/../build/bin/tarnwick"}
baseline=${3:-"$(dirname "$0")/../build/bin/tarnwick-bare-qt-window"}
for binary in "$program" "$baseline"; do
  [ -x "$binary" ] || { echo "measure-startup: no program at $binary (build first)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime" "$work/config"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
export TARNWICK_EXIT_WHEN_SHOWN=1

for binary in "$program" "$baseline"; do
  if ! timeout 30 "$binary" >"$work/first-run.log" 2>&1; then
    echo "measure-startup: $binary did not exit by itself after its window was shown:" >&2
    cat "$work/first-run.log" >&2
    exit 1
  fi
done

# The children's user plus system time in milliseconds, from a file written by the shell's
# `times` (run in this shell, not a subshell: a subshell's children are its own).
children_cpu_ms() {
  tail -n 1 "$1" | tr ',' '.' |
    awk '{ t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60000 + p[2] * 1000 }
           printf "%d\n", t }'
}

# One timed run of the program $1; appends its wall clock (µs) and CPU time (ms) to the files
# $2.wall and $2.cpu, and starts each run with the settings of a first start.
time_run() {
  rm -rf "${XDG_CONFIG_HOME:?}"/*
  times >"$work/cpu-before"
  local start end
  start=${EPOCHREALTIME//[!0-9]/} # microseconds, whatever the locale's decimal point
  "$1" >/dev/null 2>&1
  end=${EPOCHREALTIME//[!0-9]/}
  times >"$work/cpu-after"
  echo $((end - start)) >>"$2.wall"
  echo $(($(children_cpu_ms "$work/cpu-after") - $(children_cpu_ms "$work/cpu-before"))) >>"$2.cpu"
}

for ((i = 0; i < runs; ++i)); do
  time_run "$baseline" "$work/baseline"
  time_run "$program" "$work/planner"
done

median() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'; }

report() {
  awk -v name="$1" -v med="$(median <"$2.wall")" -v lo="$(sort -n "$2.wall" | head -n 1)" \
    -v hi="$(sort -n "$2.wall" | tail -n 1)" -v cpu="$(median <"$2.cpu")" 'BEGIN {
      printf "  %s: wall clock median %.1f ms (fastest %.1f ms, slowest %.1f ms); CPU median %.0f ms\n",
             name, med / 1000, lo / 1000, hi / 1000, cpu }'
}

echo "Start-up, exec to exit after the first paint (offscreen), $runs runs of each, alternating:"
report "planner window" "$work/planner"
report "bare Qt window with as many widgets" "$work/baseline"
awk -v p="$(median <"$work/planner.cpu")" -v b="$(median <"$work/baseline.cpu")" \
  -v load="$(cut -d ' ' -f 1 /proc/loadavg 2>/dev/null || echo "?")" 'BEGIN {
    if (b > 0) printf "  planner CPU against the bare window: %.2fx (aim: within 1.2x)", p / b
    printf "; load average at the end: %s\n", load }'
