#!/usr/bin/env bash
# The Windows window photographed: tarnwick.exe under Wine's X11 driver on a private Xvfb, at
# 96 dpi (start-up, and a plan over its limits from settings put in the registry) and at
# 144 dpi, into build/screenshots/windows-*.png, to be looked at. Each run of tarnwick.exe is
# ended by WM_CLOSE and must end with status 0. Everything else the Windows build is checked
# for is a CTest test of the windows preset (`cmake --workflow --preset windows`), which
# tools/test.sh runs before this and this script does not repeat; it builds tarnwick.exe only.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

bash tools/setup.sh g++-mingw-w64-x86-64-posix googletest wine64 fonts-wine xvfb x11-utils \
  imagemagick librsvg2-bin icoutils
cmake --preset windows >/dev/null
cmake --build --preset windows --target tarnwick
bin=$PWD/build/windows/bin
shots=$PWD/build/screenshots
wine=/usr/lib/wine/wine64
wine_prefix="bash $PWD/cmake/wine-prefix.sh"
started=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-shots.XXXXXX")
prefix=$work/prefix
export WINEPREFIX=$prefix TMPDIR=$work/tmp WINEDEBUG=-all
mkdir -p "$TMPDIR" "$shots"
xvfb_pid=""
planner_pid=""

finish() {
  local status=$?
  if [ -n "$planner_pid" ]; then kill -KILL "$planner_pid" 2>/dev/null || true; fi
  # Fails when a Wine program outlived the wineserver.
  $wine_prefix end "$prefix" || status=1
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
  exit $status
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# An X server of its own.
source cmake/xvfb.sh
start_xvfb "$work"
$wine_prefix make "$prefix" x11

# Waits for tarnwick.exe's window on the X display and prints its X window id.
wait_for_window() {
  local deadline=$((SECONDS + 60)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xwininfo -root -tree 2>/dev/null |
      sed -n 's/^[[:space:]]*\(0x[0-9a-f]*\) "Tarnwick".*/\1/p' | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Starts tarnwick.exe, photographs its window once it has been drawn, and closes it with WM_CLOSE
# (which saves the settings), checking that it ends with status 0.
photograph_window() {
  local shot=$1 id status=0
  "$wine" "$bin/tarnwick.exe" >"$work/window.log" 2>&1 &
  planner_pid=$!
  id=$(wait_for_window) || fail "tarnwick.exe showed no window within 60 s"
  # The window is mapped before its controls have drawn: give the paint a moment.
  sleep 1
  import -window "$id" "$shot" || fail "import could not photograph the window"
  "$wine" taskkill /IM tarnwick.exe >/dev/null
  local deadline=$((SECONDS + 20))
  while kill -0 "$planner_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "tarnwick.exe did not end within 20 s of WM_CLOSE"
    sleep 0.05
  done
  wait "$planner_pid" || status=$?
  planner_pid=""
  [ $status -eq 0 ] || fail "tarnwick.exe ended with status $status after WM_CLOSE"
  echo "photographed ${shot#"$PWD"/}"
}

setting() {
  "$wine" reg add 'HKCU\Software\Tarnwick\Settings' /v "$1" /t REG_SZ /d "$2" /f >/dev/null
}

# A new wineserver takes the new dpi; wineboot first, or the next window may hang before it shows.
restart_wine() {
  /usr/lib/wine/wineserver -k
  /usr/lib/wine/wineserver -w
  "$wine" wineboot >/dev/null 2>&1
}

photograph_window "$shots/windows-startup.png"
setting Payload 9000
setting TaxiFuel 100
setting HoldingFuel 300
setting MinimumFuel 600
setting TripDistance 20
photograph_window "$shots/windows-red-plan.png"
"$wine" reg delete 'HKCU\Software\Tarnwick' /f >/dev/null
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
restart_wine
photograph_window "$shots/windows-startup-144dpi.png"
echo "Windows screenshots taken in $((SECONDS - started)) s"
