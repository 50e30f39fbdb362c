#!/usr/bin/env bash
# The one Wine prefix set-up of the Windows build's checks (Debian's wine64, called directly):
#   wine-prefix.sh make PREFIX [null|x11]  makes the prefix unless it is there: no Mono or Gecko,
#       no Start-menu entries copied to this machine, Wine's own fonts, and the null graphics
#       driver (hidden windows and messages work without a display) or, with x11, the X11
#       driver on $DISPLAY (for screenshots)
#   wine-prefix.sh run PREFIX PROGRAM [ARGUMENTS...]  runs a Windows program in the prefix,
#       making it first (the emulator of the Windows build's tests); several may start at once
#   wine-prefix.sh end PREFIX  ends its wineserver, and with it every program in it, and
#       removes the prefix
# Programs that work together must share the prefix and TMPDIR (the wineserver's socket).
set -euo pipefail
command=$1
prefix=$2
shift 2

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

# The driver of the prefix as made, else the one asked for. A prefix on the null driver ignores
# the display; wineboot must not see one either.
driver=null
if [ "$command" = make ]; then driver=${1:-null}; fi
if [ -e "$prefix/.ready" ]; then driver=$(cat "$prefix/.ready"); fi
if [ "$driver" = null ]; then unset DISPLAY WAYLAND_DISPLAY; fi

make_prefix() {
  local driver=$1
  mkdir -p "$prefix"
  "$wine" wineboot -i >"$prefix.log" 2>&1 || {
    echo "wine-prefix.sh: wineboot failed in $prefix:" >&2
    cat "$prefix.log" >&2
    return 1
  }
  if [ "$driver" = null ]; then
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  fi
  # Debian's Wine looks for its fonts in the wrong folder.
  mkdir -p "$prefix/drive_c/windows/Fonts"
  ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  # The desktop made while the prefix was new has no graphics driver: a new wineserver makes
  # one on the driver chosen.
  "$wineserver" -k
  "$wineserver" -w
  echo "$driver" >"$prefix/.ready"
}

# Several tests may start at once: one makes the prefix, the others wait for it.
ensure_prefix() {
  [ -e "$prefix/.ready" ] && return 0
  exec 9>"$prefix.lock"
  flock 9
  [ -e "$prefix/.ready" ] || make_prefix "$1"
  flock -u 9
  exec 9>&-
}

# The Wine processes (the programs and the wineserver) still running in the prefix, found by
# their environment: their ids and command lines.
wine_processes() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == /usr/lib/wine/* ]] || continue
    if tr '\0' '\n' <"$environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
      echo "$pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    fi
  done
}

case $command in
  make)
    case $driver in null | x11) ;; *)
      echo "wine-prefix.sh: graphics driver null or x11, not $driver" >&2
      exit 2
      ;;
    esac
    ensure_prefix "$driver"
    ;;
  run)
    ensure_prefix null
    exec "$wine" "$@"
    ;;
  end)
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    # With its wineserver every program of the prefix ends; one left running is a fault.
    deadline=$((SECONDS + 30))
    while left=$(wine_processes) && [ -n "$left" ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
    rm -rf "$prefix" "$prefix.lock" "$prefix.log"
    if [ -n "$left" ]; then
      echo "wine-prefix.sh: still running after wineserver -k in $prefix:" >&2
      echo "$left" >&2
      exit 1
    fi
    ;;
  *)
    echo "wine-prefix.sh: make, run or end, not $command" >&2
    exit 2
    ;;
esac
