#!/usr/bin/env bash
# The emulator of the Windows build's tests: run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# runs the Windows program under Debian's wine64 in the Wine prefix PREFIX, which it makes on
# first use (no Mono or Gecko, the null graphics driver: hidden windows and messages work
# without a display). The tests' run removes the prefix at its end (wineserver -k first), so
# that each run starts in a fresh one.
set -euo pipefail
prefix=$1
shift

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

make_prefix() {
  mkdir -p "$prefix"
  "$wine" wineboot -i >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; return 1; }
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  # The desktop made while the prefix was new has no graphics driver: a new wineserver makes
  # one on the null driver.
  "$wineserver" -k
  "$wineserver" -w
  touch "$prefix/.ready"
}

# Several tests may start at once: one makes the prefix, the others wait for it.
if [ ! -e "$prefix/.ready" ]; then
  exec 9>"$prefix.lock"
  flock 9
  [ -e "$prefix/.ready" ] || make_prefix
  flock -u 9
  exec 9>&-
fi
exec "$wine" "$@"
