#!/usr/bin/env bash
# Counts the instructions of one keystroke in txtPayload with the repaint that follows, in the
# Qt window (offscreen), with callgrind: unlike the benchmark's timings, the count does not
# change with other load on the machine. Counts what tarnwick-window-bench's TypeAndRepaint
# runs, divided by its calls. Measures only; asserts nothing.
#
# Usage: tools/measure-window-instructions.sh [BENCH (default build/bin/tarnwick-window-bench)]
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR

bench=${1:-"$(dirname "$0")/../build/bin/tarnwick-window-bench"}
[ -x "$bench" ] || { echo "measure-window-instructions: no $bench (build first)" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "measure-window-instructions: needs valgrind" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
  --toggle-collect='*TypeAndRepaint*' "$bench" --benchmark_filter=KeystrokeAndRepaint \
  --benchmark_min_time=0.5 >/dev/null 2>&1
# The collected total is on the "summary:" line; the calls of TypeAndRepaint follow each "cfn="
# line that names it. A function is named once as "fn=(id) name" or "cfn=(id) name", and
# after that by "(id)" alone.
awk '/^summary:/ { total = $2 }
     /^c?fn=\([0-9]+\) .*TypeAndRepaint/ { id = $1; sub(/^c?fn=/, "", id) }
     /^cfn=.*TypeAndRepaint/ { named = 1; next }
     id != "" && $0 == "cfn=" id { named = 1; next }
     named && /^calls=/ { split($1, c, "="); calls += c[2] }
     { named = 0 }
     END { if (calls == 0) { print "measure-window-instructions: no keystroke counted" > "/dev/stderr"; exit 1 }
           printf "keystroke in txtPayload with its repaint: %.0f instructions (%d keystrokes)\n",
                  total / calls, calls }' "$work/callgrind.out"
