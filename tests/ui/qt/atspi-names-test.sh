#!/usr/bin/env bash
# The planner's Qt window as a screen reader finds it: the program runs on Xvfb with a private
# session bus and accessibility bus, and atspi_names.py walks its accessibility tree (AT-SPI).
# atspi-names-test.sh PROGRAM EXPECTED_CONTROLS. Exit status 77 (skipped) where Xvfb, D-Bus, the
# AT-SPI bus or Python's Atspi bindings are missing (tools/setup.sh installs them).
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
program=$1
expected=$2
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher

skip() {
  echo "skipped: $1" >&2
  exit 77
}
command -v Xvfb >/dev/null || skip "no Xvfb (xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (dbus)"
[ -x "$launcher" ] || skip "no $launcher (at-spi2-core)"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  skip "no Atspi for $python (python3-pyatspi, gir1.2-atspi-2.0)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-atspi.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 0700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
# No simulator link finds anything to talk to, and nothing listens for X-Plane's beacons.
export TARNWICK_XPLANE_ADDRESS=127.0.0.1:9

source "$here/../../../cmake/xvfb.sh"
start_xvfb "$work"
unset XAUTHORITY WAYLAND_DISPLAY

# Inside the private session: the accessibility bus, the program on it, the walk, and the end
# of both.
session() {
  "$launcher" --launch-immediately &
  local bus=$!
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" &
  local planner=$!
  local status=0
  "$python" "$here/atspi_names.py" "$expected" "$planner" || status=$?
  kill "$planner" "$bus" 2>/dev/null || true
  wait "$planner" "$bus" 2>/dev/null || true
  return $status
}
# (dbus-run-session passes on no functions: the session goes as text.)
export program expected here python launcher
dbus-run-session -- bash -c "$(declare -f session); session"
