#!/usr/bin/env bash
# Measures how long the planner's window takes to end once the pilot closes it: Alt+X typed into
# the window on a virtual X server (Xvfb), timed to the end of the process, and the write of the
# settings file timed to the same end. Two cases, RUNS times each: closed right after the start,
# and closed after a Print whose browser keeps its connection to the print server open.
# Measures only; asserts nothing.
#
# Usage: tools/measure-exit.sh [RUNS (default 5)] [PROGRAM (default build/bin/tarnwick)]
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

runs=${1:-5}
program=$(realpath "${2:-build/bin/tarnwick}")
[ -x "$program" ] || { echo "measure-exit: no $program (cmake --workflow --preset dev)" >&2; exit 1; }
bash tools/setup.sh xvfb xdotool python3 >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-exit.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  pkill -f "$work/bin/xdg-open" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source cmake/xvfb.sh
start_xvfb "$work"
export XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# The browser of the Print case: fetches the page as a browser does, notes it, and keeps the
# connection open for a minute.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/usr/bin/env python3
import os, socket, sys, time, urllib.parse
if os.fork():
    sys.exit(0)
url = urllib.parse.urlsplit(sys.argv[1])
connection = socket.create_connection((url.hostname, url.port))
connection.sendall(f"GET {url.path}?{url.query} HTTP/1.1\r\nHost: {url.netloc}\r\n\r\n".encode())
connection.recv(65536)
open("$work/fetched", "a").write("page\n")
time.sleep(60)
EOF
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

# Print's button, from the window layout (cmdPrint at 4200, 7110 twips, 1035 x 375), in pixels
# at 96 dpi.
print_x=$(((4200 + 1035 / 2) / 15))
print_y=$(((7110 + 375 / 2) / 15))

pages_fetched() { if [ -f "$work/fetched" ]; then wc -l <"$work/fetched"; else echo 0; fi; }

# One run: starts the window, prints when asked to, closes it with Alt+X. Prints the
# milliseconds from the key to the end of the process and from the settings write to the end.
one_close() {
  local print=$1 pid window="" started written ended
  # The store writes its file only when a value differs from the file's: without a file, every
  # run writes one at its end.
  rm -f "$XDG_CONFIG_HOME/Tarnwick/Tarnwick.conf"
  "$program" 2>>"$work/planner.err" &
  pid=$!
  local deadline=$((SECONDS + 20))
  until [ -n "$window" ]; do
    window=$(xdotool search --pid "$pid" --onlyvisible --name Tarnwick 2>/dev/null | head -1 || true)
    [ $SECONDS -lt $deadline ] || { echo "measure-exit: no window: $(cat "$work/planner.err")" >&2; kill "$pid" 2>/dev/null; return 1; }
    sleep 0.1
  done
  sleep 1
  if [ "$print" = print ]; then
    local fetched_before
    fetched_before=$(pages_fetched)
    xdotool mousemove --window "$window" "$print_x" "$print_y" click 1
    until [ "$(pages_fetched)" -gt "$fetched_before" ]; do
      [ $SECONDS -lt $deadline ] || { echo "measure-exit: Print fetched nothing: $(cat "$work/planner.err")" >&2; kill "$pid"; return 1; }
      sleep 0.1
    done
  fi
  # Without a window manager the window gets the keyboard only when given it.
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  started=$(date +%s%N)
  xdotool key --window "$window" alt+x 2>/dev/null
  ( sleep 10 && kill "$pid" 2>/dev/null && echo "measure-exit: Alt+X did not close the window" >&2 ) &
  local watchdog=$!
  wait "$pid" || true
  ended=$(date +%s%N)
  kill "$watchdog" 2>/dev/null || true
  written=$(stat -c %.9Y "$XDG_CONFIG_HOME/Tarnwick/Tarnwick.conf" | tr -d .)
  echo "$(((ended - started) / 1000000)) $(((ended - written) / 1000000))"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for case in ${TARNWICK_EXIT_CASES:-plain print}; do
  : >"$work/$case.ms"
  for _ in $(seq "$runs"); do one_close "$case" >>"$work/$case.ms"; done
  label="closed after the start"
  [ "$case" = print ] && label="closed after a Print, the browser's connection still open"
  echo "$label, median of $runs: Alt+X to the end $(cut -d' ' -f1 "$work/$case.ms" | median) ms," \
    "settings written to the end $(cut -d' ' -f2 "$work/$case.ms" | median) ms"
done
