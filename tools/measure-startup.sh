#!/usr/bin/env bash
# Times the planner window's start-up from outside: the wall-clock time of whole runs of
# build/bin/tarnwick, from exec to exit, offscreen, with TARNWICK_EXIT_WHEN_SHOWN=1 so that each
# run ends right after its window's first paint. Each run is a first start (empty settings in a
# private folder; nothing of the user's is read or written). One untimed run comes first: it
# checks that the program exits by itself and warms the file cache. Prints the median, the
# fastest and the slowest run, and the median CPU time (user + system) of the runs, which
# other load on the machine disturbs less than the wall clock. Measures only; asserts nothing.
#
# Usage: tools/measure-startup.sh [RUNS (default 20)] [PROGRAM (default build/bin/tarnwick)]
set -euo pipefail

runs=${1:-20}
program=${2:-"$(dirname "$0")/../build/bin/tarnwick"}
[ -x "$program" ] || { echo "measure-startup: no program at $program (build first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime" "$work/config"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
export TARNWICK_EXIT_WHEN_SHOWN=1

if ! timeout 30 "$program" >"$work/first-run.log" 2>&1; then
  echo "measure-startup: $program did not exit by itself after its window was shown:" >&2
  cat "$work/first-run.log" >&2
  exit 1
fi

# The children's user plus system time in milliseconds, from a file written by the shell's
# `times` (run in this shell, not a subshell: a subshell's children are its own).
children_cpu_ms() {
  tail -n 1 "$1" | tr ',' '.' |
    awk '{ t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60000 + p[2] * 1000 }
           printf "%d\n", t }'
}

wall_us=()
cpu_ms=()
for ((i = 0; i < runs; ++i)); do
  times >"$work/cpu-before"
  start=${EPOCHREALTIME//[!0-9]/}  # microseconds, whatever the locale's decimal point
  "$program" >/dev/null 2>&1
  end=${EPOCHREALTIME//[!0-9]/}
  times >"$work/cpu-after"
  wall_us+=($((end - start)))
  cpu_ms+=($(($(children_cpu_ms "$work/cpu-after") - $(children_cpu_ms "$work/cpu-before"))))
done

median() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'; }

wall_median=$(printf '%s\n' "${wall_us[@]}" | median)
wall_min=$(printf '%s\n' "${wall_us[@]}" | sort -n | head -n 1)
wall_max=$(printf '%s\n' "${wall_us[@]}" | sort -n | tail -n 1)
cpu_median=$(printf '%s\n' "${cpu_ms[@]}" | median)
load=$(cut -d ' ' -f 1 /proc/loadavg 2>/dev/null || echo "?")

awk -v n="$runs" -v med="$wall_median" -v lo="$wall_min" -v hi="$wall_max" -v cpu="$cpu_median" \
  -v load="$load" 'BEGIN {
    printf "Start-up of the window, exec to exit after the first paint (offscreen), %d runs:\n", n
    printf "  wall clock: median %.1f ms (fastest %.1f ms, slowest %.1f ms)\n",
           med / 1000, lo / 1000, hi / 1000
    printf "  CPU time (user + system): median %.0f ms; load average at the end: %s\n", cpu, load
  }'
