#!/usr/bin/env bash
# Measures the native Windows window under Wine on this machine, each figure beside a baseline
# built and run in the same command. Measures only; asserts nothing.
# - start-up: whole runs of tarnwick.exe with TARNWICK_EXIT_WHEN_SHOWN=1 (it ends once the window
#   and all its controls have been painted for the first time) against tarnwick-win32-baseline.exe,
#   a bare Win32 window with one native control of the same class for every row of the layout;
#   runs alternate, one untimed run of each comes first; medians of the wall clock.
# - one accepted keystroke in txtPayload up to the last label rewritten, against the same
#   keystroke into a plain edit box (tarnwick-win32-keystroke-bench.exe).
# - the requests to Wine's window server per keystroke, for the planner and for the plain edit
#   box: a count that, unlike the timings, other load on the machine does not change (every
#   update of a native control costs at least one; each costs tens of microseconds here).
# - the size of tarnwick.exe stripped, against tarnwick-plan.exe stripped.
# Wine's null graphics driver in a fresh prefix; other load on the machine inflates every timing
# (each control's update is a round trip to the wineserver), so the load average is printed too.
#
# Usage: tools/measure-windows.sh [RUNS (default 10)]
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

runs=${1:-10}
bin=$PWD/build/windows/bin
for program in tarnwick.exe tarnwick-plan.exe tarnwick-win32-baseline.exe \
  tarnwick-win32-keystroke-bench.exe; do
  [ -f "$bin/$program" ] || { echo "measure-windows: no $bin/$program (cmake --workflow --preset windows)" >&2; exit 1; }
done

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-measure.XXXXXX")
export WINEPREFIX=$work/prefix TMPDIR=$work/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$TMPDIR"
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT

"$wine" wineboot -i >"$work/wineboot.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
"$wineserver" -k
"$wineserver" -w
# A persistent server, as a user's session has one running.
"$wineserver" -p

milliseconds_of_run() {
  local started
  started=$(date +%s%N)
  TARNWICK_EXIT_WHEN_SHOWN=1 "$wine" "$1" >/dev/null 2>&1
  echo $((($(date +%s%N) - started) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

milliseconds_of_run "$bin/tarnwick.exe" >/dev/null
milliseconds_of_run "$bin/tarnwick-win32-baseline.exe" >/dev/null
: >"$work/planner.ms"
: >"$work/baseline.ms"
for _ in $(seq "$runs"); do
  milliseconds_of_run "$bin/tarnwick-win32-baseline.exe" >>"$work/baseline.ms"
  milliseconds_of_run "$bin/tarnwick.exe" >>"$work/planner.ms"
done
planner_ms=$(median <"$work/planner.ms")
baseline_ms=$(median <"$work/baseline.ms")
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "start to first paint, median of $runs: tarnwick.exe $planner_ms ms, bare window $baseline_ms ms" \
  "($(awk -v a="$planner_ms" -v b="$baseline_ms" 'BEGIN { printf "%.2f", a / b }')x; aim: within 1.2x)"
"$wine" "$bin/tarnwick-win32-keystroke-bench.exe" | tr -d '\r'

# The server's requests during one run of the keystroke bench with the given numbers of
# keystrokes into the planner and into the plain edit box, counted by a server that traces them.
requests_of_bench() {
  "$wineserver" -k
  "$wineserver" -w
  "$wineserver" -f -d1 -p 2>"$work/requests.log" &
  "$wine" "$bin/tarnwick-win32-keystroke-bench.exe" "$1" "$2" >/dev/null
  "$wineserver" -k
  wait
  grep -acE '^[0-9a-f]{4}: [a-z_]+\( ' "$work/requests.log"
}
keystrokes=400
without=$(requests_of_bench 0 0)
planner_requests=$(($(requests_of_bench "$keystrokes" 0) - without))
plain_requests=$(($(requests_of_bench 0 "$keystrokes") - without))
awk -v p="$planner_requests" -v b="$plain_requests" -v n="$keystrokes" 'BEGIN {
  printf "window-server requests per keystroke: planner %.1f, plain edit box %.1f\n", p / n, b / n }'
x86_64-w64-mingw32-strip -o "$work/tarnwick.exe" "$bin/tarnwick.exe"
x86_64-w64-mingw32-strip -o "$work/tarnwick-plan.exe" "$bin/tarnwick-plan.exe"
echo "stripped: tarnwick.exe $(stat -c %s "$work/tarnwick.exe") bytes (aim: under 2 MB)," \
  "tarnwick-plan.exe $(stat -c %s "$work/tarnwick-plan.exe") bytes"
