#!/usr/bin/env bash
# The Windows build's checks. Cross-builds the Windows programs and their tests with mingw-w64
# and runs the tests under Wine through CTest (the windows workflow preset: the portable code
# and the Win32 pieces, each case a Windows process). Then makes the zip
# (tools/package-windows.sh) and checks it as a user gets it, unpacked into a fresh Wine
# prefix; and runs what needs two Windows processes at once: tarnwick-plan.exe and tarnwick.exe
# against tarnwick-simstub.exe, whose simulator link goes through the real Win32 calls (window
# classes, registered message, global atom, named file mapping), the stub's shutdown, and the
# native window worked from another process and photographed under Wine's X11 driver on Xvfb
# into build/screenshots/. The prefix lives in a temporary folder with its own TMPDIR, so that
# all programs share one wineserver, which the script ends, leaving nothing running.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

bash tools/setup.sh g++-mingw-w64-x86-64-posix googletest wine64 jq curl unzip fonts-wine xvfb \
  x11-utils imagemagick librsvg2-bin icoutils nsis

phase_started=$(date +%s)
echo "== Cross build for Windows, and its tests under Wine"
cmake --workflow --preset windows
echo "Windows build and tests took $(($(date +%s) - phase_started)) s"
bin=$PWD/build/windows/bin

echo "== The Windows zip"
zip=$(bash tools/package-windows.sh | tail -1)

# Debian's wine64 package, called directly: the wine package with its wrapper is not needed.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# A figure the C++ tests share, read from where they have it: "... <name> = <value>;".
figure() {
  local value
  value=$(sed -n "s/^inline constexpr .* $1 = \(.*\);\$/\1/p" tests/shared/SimulatorFigures.h)
  [ -n "$value" ] || { echo "no figure $1 in tests/shared/SimulatorFigures.h" >&2; exit 1; }
  echo "${value//\"/}"
}
stub_zfw_lbs=$(figure kStubZeroFuelWeightLbs)
xplane_payload_kg=$(figure kXPlanePayloadKg)
payload_kg=$(figure kPayloadShownInKilograms)
payload_lbs=$(figure kPayloadShownInPounds)
tank_capacity_kg=$(figure kTankCapacityKg)
full_tank_level=$(figure kFullTankLevel)
# A server that never answers costs 11 sends of 2000 ms (and 10 pauses of 100 ms).
shortest_hang_seconds=22

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-wine.XXXXXX")
prefix=$work/prefix
export WINEPREFIX=$prefix TMPDIR=$work/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Where no IPC server is found the planner looks for X-Plane: here at the discard port of
# 127.0.0.1, where none answers, so that nothing listens for beacons; the X-Plane check names
# its own port.
export TARNWICK_XPLANE_ADDRESS=127.0.0.1:9
xplane_port=49321
# No display at all: windows go to Wine's null graphics driver, set up below.
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$TMPDIR" "$prefix"

stub_pid=""
xvfb_pid=""
stub_count=0
planner_pid=""
# Wine hands a URL opened through the Windows shell to xdg-open, which (without a display)
# takes $BROWSER: a browser that accepts and opens nothing.
export BROWSER=true
started_at=$(date +%s%N)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

milliseconds_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

# The processes that still run in this run's prefix, found by their environment.
processes_in_prefix() {
  local environ pid entry
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    [ "$pid" = "$$" ] && continue
    while IFS= read -r -d '' entry; do
      if [ "$entry" = "WINEPREFIX=$prefix" ]; then
        echo "$pid"
        break
      fi
    done 2>/dev/null <"$environ" || true
  done
}

finish() {
  local status=$?
  if [ -n "$stub_pid" ]; then kill -KILL "$stub_pid" 2>/dev/null || true; fi
  if [ -n "$planner_pid" ]; then kill -KILL "$planner_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  "$wineserver" -k 2>/dev/null || true
  local deadline=$((SECONDS + 30)) left
  while left=$(processes_in_prefix) && [ -n "$left" ] && [ $SECONDS -lt $deadline ]; do
    sleep 0.1
  done
  if [ -n "$left" ]; then
    echo "FAIL: still running after wineserver -k: $(tr "\n" " " <<<"$left")" >&2
    status=1
  fi
  rm -rf "$work"
  if [ $status -eq 0 ]; then
    echo "Windows checks passed in $(milliseconds_since "$started_at") ms"
  else
    echo "Windows checks FAILED (status $status)" >&2
  fi
  exit $status
}
trap finish EXIT

make_prefix() {
  local started
  started=$(date +%s%N)
  "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot: $(cat "$work/wineboot.log")"
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  # The desktop made while the prefix was new has no graphics driver, and windows cannot be
  # made on it: a new wineserver makes a new desktop on the null driver. It is persistent, to
  # keep later program starts fast; finish() ends it.
  "$wineserver" -k
  "$wineserver" -w
  "$wineserver" -p
  echo "prefix made in $(milliseconds_since "$started") ms"
}

# Starts tarnwick-simstub.exe with the arguments and waits until its window exists: the stub
# says so on standard error once CreateWindowExA has returned.
start_stub() { start_stub_until "^tarnwick-simstub: serving as window class" "$@"; }

# The same for the substitute X-Plane on 127.0.0.1:$xplane_port, ready once it says so.
start_xplane_stub() {
  start_stub_until "^tarnwick-simstub: playing X-Plane" --xplane --port "$xplane_port" "$@"
}

# Starts tarnwick-simstub.exe with the arguments after the first and waits until its standard
# error has a line that matches the first.
start_stub_until() {
  local ready=$1
  shift
  stub_count=$((stub_count + 1))
  stub_log=$work/stub-$stub_count.log
  stub_errors=$work/stub-$stub_count.err
  "$wine" "$bin/tarnwick-simstub.exe" "$@" >"$stub_log" 2>"$stub_errors" &
  stub_pid=$!
  local deadline=$((SECONDS + 60))
  until grep -q "$ready" "$stub_errors"; do
    kill -0 "$stub_pid" 2>/dev/null || fail "the stub ended before it was ready: $(cat "$stub_errors")"
    [ $SECONDS -lt $deadline ] || fail "the stub was not ready within 60 s"
    sleep 0.05
  done
}

# Ends the stub with Ctrl+C (SIGINT, which Wine hands to the console handler) or with WM_CLOSE
# to its window (Wine's taskkill without /F), and checks that it exits with status 0.
stop_stub() {
  case $1 in
    ctrl-c) kill -INT "$stub_pid" ;;
    wm-close) "$wine" taskkill /IM tarnwick-simstub.exe >/dev/null ;;
  esac
  local deadline=$((SECONDS + 10)) status=0
  while kill -0 "$stub_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the stub did not end within 10 s of $1"
    sleep 0.05
  done
  wait "$stub_pid" || status=$?
  stub_pid=""
  [ $status -eq 0 ] || fail "the stub ended with status $status after $1: $(cat "$stub_errors")"
}

# Runs tarnwick-plan.exe --json with the arguments; its report lands in $work/plan.json.
run_plan() {
  local status=0
  "$wine" "$bin/tarnwick-plan.exe" --json "$@" >"$work/plan.json" 2>"$work/plan.err" || status=$?
  [ $status -eq 0 ] || fail "tarnwick-plan.exe $* exited with $status: $(cat "$work/plan.err")"
}

# Checks that the run showed exactly one message box, with this text, title and style.
expect_message() {
  local expected
  expected=$(jq -n --arg text "$1" --arg title "$2" --argjson style "$3" \
    '[{text: $text, title: $title, style: $style}]')
  jq -e --argjson expected "$expected" '.messages == $expected' "$work/plan.json" >/dev/null ||
    fail "messages: expected $(jq -c . <<<"$expected"), got $(jq -c .messages "$work/plan.json")"
}

control_text() { jq -r --arg name "$1" '.controls[$name].text' "$work/plan.json"; }

connection_failure() {
  printf 'FSUIPC connection failure: %s\r\n\r\nEnsure that Flight Simulator is running.' "$1"
}

passed() { echo "ok   $1 ($(milliseconds_since "$2") ms)"; }

check_payload_in_kilograms() {
  local started
  started=$(date +%s%N)
  start_stub --zfw-lbs "$stub_zfw_lbs"
  run_plan --click cmdReadPayload
  expect_message "Payload weight read as $payload_kg kilograms." "Success!" 64
  [ "$(control_text txtPayload)" = "$payload_kg" ] || fail "txtPayload shows $(control_text txtPayload)"
  stop_stub ctrl-c
  passed "payload read in kilograms: $stub_zfw_lbs lb x 256 from the stub gives $payload_kg" "$started"
}

check_payload_in_pounds() {
  local started
  started=$(date +%s%N)
  start_stub --zfw-lbs "$stub_zfw_lbs"
  run_plan --select cboUnits=0 --click cmdReadPayload
  expect_message "Payload weight read as $payload_lbs pounds." "Success!" 64
  [ "$(control_text txtPayload)" = "$payload_lbs" ] || fail "txtPayload shows $(control_text txtPayload)"
  stop_stub wm-close
  passed "payload read in pounds: $payload_lbs, and the stub ends on WM_CLOSE" "$started"
}

# The stub's log must hold the handshake's write, then the left tank, then the right tank, both
# at the level of the tank fuel that the window shows (to within its rounding to whole kg).
check_fuel_boarding() {
  local started tank_kg level log
  started=$(date +%s%N)
  start_stub
  run_plan --set cboTripDistance=300 --set cboCruisingAlt=FL200 --set cboAlternateDistance=100 \
    --set txtTaxiFuel=100 --set txtHoldingFuel=300 --set txtMinimumFuel=600 --click cmdBoardFuel
  expect_message "The fuel was successfully boarded." "Success!" 64
  stop_stub ctrl-c
  tank_kg=$(control_text txtLeftTank)
  tank_kg=${tank_kg% Kgs.}
  [[ $tank_kg =~ ^[0-9]+$ ]] || fail "txtLeftTank shows $(control_text txtLeftTank)"
  log=$(tr -d '\r' <"$stub_log")
  level=$(sed -n 's/^write 0x0B7C size 4 value \([0-9]*\)$/\1/p' <<<"$log")
  [ -n "$level" ] || fail "no left tank write in the stub's log: $log"
  local expected_log
  expected_log=$(printf 'write 0x330A size 2 value 0\nwrite 0x0B7C size 4 value %s\nwrite 0x0B94 size 4 value %s' \
    "$level" "$level")
  [ "$log" = "$expected_log" ] || fail "stub log: expected
$expected_log
got
$log"
  awk -v level="$level" -v kg="$tank_kg" -v capacity="$tank_capacity_kg" -v full="$full_tank_level" \
    'BEGIN { d = level * capacity / full - kg; exit !(d >= -0.5 && d <= 0.5) }' ||
    fail "level $level is not $tank_kg kg of a $tank_capacity_kg kg tank"
  passed "fuel boarding: 0x0B7C then 0x0B94, both $level for $tank_kg kg a tank" "$started"
}

check_fs98main_with_bad_version() {
  local started
  started=$(date +%s%N)
  start_stub --class FS98MAIN --fsuipc-version 0x19980004
  run_plan --click cmdReadPayload
  expect_message "$(connection_failure \
    "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC")" "Error!" 16
  local status=0
  "$wine" "$bin/tarnwick-simstub.exe" --class FS98MAIN >/dev/null 2>"$work/second-stub.err" ||
    status=$?
  if [ $status -ne 1 ] ||
    ! grep -q "another server already has a window of class FS98MAIN" "$work/second-stub.err"; then
    fail "a second FS98MAIN stub did not refuse to start (status $status)"
  fi
  stop_stub wm-close
  passed "FS98MAIN with version 0x19980004: code 14; a second stub of that class refuses" "$started"
}

# On Windows a send that times out leaves ERROR_TIMEOUT, so the link reports a failed send.
check_hanging_server() {
  local started elapsed_ms
  started=$(date +%s%N)
  start_stub --hang
  local plan_started
  plan_started=$(date +%s%N)
  run_plan --click cmdReadPayload
  elapsed_ms=$(milliseconds_since "$plan_started")
  expect_message "$(connection_failure "IPC sendmessage failed all retries")" "Error!" 16
  [ "$elapsed_ms" -ge $((shortest_hang_seconds * 1000)) ] ||
    fail "gave up after $elapsed_ms ms, before the 11 sends of 2000 ms"
  stop_stub ctrl-c
  passed "a server that never answers: code 12 after $elapsed_ms ms of retries" "$started"
}

# X-Plane over Winsock: no IPC server, the substitute X-Plane on UDP. The payload reads in
# pounds, and boarding logs the left tank's set, then the right one's, at the same kilograms.
check_xplane() {
  local started log kilograms
  started=$(date +%s%N)
  start_xplane_stub --payload-kg "$xplane_payload_kg"
  TARNWICK_XPLANE_ADDRESS=127.0.0.1:$xplane_port run_plan --select cboUnits=0 --click cmdReadPayload
  expect_message "Payload weight read as $payload_lbs pounds." "Success!" 64
  TARNWICK_XPLANE_ADDRESS=127.0.0.1:$xplane_port run_plan --click cmdBoardFuel
  expect_message "The fuel was successfully boarded." "Success!" 64
  stop_stub ctrl-c
  log=$(tr -d '\r' <"$stub_log")
  kilograms=$(sed -n 's/^dref sim\/flightmodel\/weight\/m_fuel\[0\] \(.*\)$/\1/p' <<<"$log")
  [ -n "$kilograms" ] &&
    [ "$log" = "dref sim/flightmodel/weight/m_fuel[0] $kilograms
dref sim/flightmodel/weight/m_fuel[1] $kilograms" ] || fail "substitute X-Plane's log: $log"
  passed "X-Plane over Winsock: payload $payload_lbs lb; both tanks set to $kilograms kg, left first" \
    "$started"
}

# The level the stub's log shows written to the left tank, then the same to the right one, as
# the filling level of tank_kg kilograms in a tank of the aircraft's capacity.
expect_tank_writes() {
  local tank_kg=$1 level
  level=$(tr -d '\r' <"$stub_log" | sed -n 's/^write 0x0B7C size 4 value \([0-9]*\)$/\1/p')
  [ -n "$level" ] || fail "no left tank write in the stub's log: $(cat "$stub_log")"
  tr -d '\r' <"$stub_log" | grep -qx "write 0x0B94 size 4 value $level" ||
    fail "no right tank write of $level in the stub's log: $(cat "$stub_log")"
  awk -v level="$level" -v kg="$tank_kg" -v capacity="$tank_capacity_kg" -v full="$full_tank_level" \
    'BEGIN { d = level * capacity / full - kg; exit !(d >= -0.5 && d <= 0.5) }' ||
    fail "level $level is not $tank_kg kg of a $tank_capacity_kg kg tank"
  echo "$level"
}

# The window's Read Payload Weight and Board Fuel against the stub: the payload box shows the
# stub's zero fuel weight less the empty aircraft, and the stub logs both tank writes at the
# level of the tank figure the window shows.
check_window_against_stub() {
  local started status=0 tank_kg level
  started=$(date +%s%N)
  start_stub --zfw-lbs "$stub_zfw_lbs"
  TARNWICK_SIMSTUB_RUNNING=1 "$wine" "$bin/tarnwick-win32-tests.exe" \
    --gtest_filter='Win32PlannerWindowWithSimulator.*' >"$work/window-stub.log" 2>&1 || status=$?
  stop_stub ctrl-c
  [ $status -eq 0 ] || fail "the window against the stub: $(tr -d '\r' <"$work/window-stub.log")"
  tank_kg=$(tr -d '\r' <"$work/window-stub.log" | sed -n 's/^txtLeftTank shows \([0-9]*\) Kgs\.$/\1/p')
  [ -n "$tank_kg" ] || fail "no tank figure from the window: $(tr -d '\r' <"$work/window-stub.log")"
  level=$(expect_tank_writes "$tank_kg")
  passed "the window against the stub: payload $payload_kg, both tanks at $level for $tank_kg kg" "$started"
}

# tarnwick.exe itself against the stub, worked from another process by tarnwick-window-remote.exe
# as the pilot's clicks would: both message boxes, the payload shown, both tank writes at the
# level of the tank figure shown, and the program ends with status 0 on WM_CLOSE.
check_program_against_stub() {
  local started status=0 pid tank_kg level expected
  started=$(date +%s%N)
  "$wine" reg delete 'HKCU\Software\Tarnwick' /f >/dev/null 2>&1 || true
  start_stub --zfw-lbs "$stub_zfw_lbs"
  "$wine" "$bin/tarnwick.exe" >"$work/program.log" 2>&1 &
  pid=$!
  "$wine" "$bin/tarnwick-window-remote.exe" --click cmdReadPayload --text txtPayload \
    --click cmdBoardFuel --text txtLeftTank --close >"$work/remote.log" 2>&1 || status=$?
  [ $status -eq 0 ] || { kill -KILL "$pid" 2>/dev/null; fail "the remote: $(tr -d '\r' <"$work/remote.log")"; }
  wait "$pid" || status=$?
  [ $status -eq 0 ] || fail "tarnwick.exe ended with status $status"
  stop_stub ctrl-c
  tank_kg=$(tr -d '\r' <"$work/remote.log" | sed -n 's/^text txtLeftTank \([0-9]*\) Kgs\.$/\1/p')
  [ -n "$tank_kg" ] || fail "no tank figure shown: $(tr -d '\r' <"$work/remote.log")"
  expected=$(printf '%s\n' "message Success! | Payload weight read as $payload_kg kilograms." \
    "text txtPayload $payload_kg" "message Success! | The fuel was successfully boarded." \
    "text txtLeftTank $tank_kg Kgs." "closed")
  [ "$(tr -d '\r' <"$work/remote.log")" = "$expected" ] ||
    fail "the remote saw:
$(tr -d '\r' <"$work/remote.log")"
  level=$(expect_tank_writes "$tank_kg")
  passed "tarnwick.exe against the stub: payload $payload_kg, both tanks at $level for $tank_kg kg" "$started"
}

# The information messages group digits as the user's locale does: "." in German. Wine takes
# the user's locale from LC_ALL when its server starts, so the server is started afresh, by
# German processes, and again after them.
check_locale_grouping() {
  local started status=0 pid
  started=$(date +%s%N)
  "$wineserver" -k
  "$wineserver" -w
  LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$wine" "$bin/tarnwick.exe" >"$work/program.log" 2>&1 &
  pid=$!
  LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$wine" "$bin/tarnwick-window-remote.exe" \
    --click cmdOperatingLimits --close \
    >"$work/remote.log" 2>&1 || status=$?
  [ $status -eq 0 ] || { kill -KILL "$pid" 2>/dev/null; fail "the remote: $(tr -d '\r' <"$work/remote.log")"; }
  wait "$pid" || fail "tarnwick.exe in German ended with a failure"
  tr -d '\r' <"$work/remote.log" | grep -qF "Basic Operating Weight: 13.500 Kgs. / " ||
    fail "no German digit grouping: $(tr -d '\r' <"$work/remote.log")"
  "$wineserver" -k
  "$wineserver" -w
  passed "Operating Limitations in a German locale: 13.500 Kgs." "$started"
}

# Waits for tarnwick.exe's window on the X display and prints its X window id.
wait_for_window() {
  local deadline=$((SECONDS + 60)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xwininfo -root -tree 2>/dev/null | sed -n 's/^[[:space:]]*\(0x[0-9a-f]*\) "Tarnwick".*/\1/p' | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Starts tarnwick.exe, photographs its window once it has been drawn, and closes it with WM_CLOSE
# (which unloads it, saving the settings), checking that it ends with status 0.
photograph_window() {
  local shot=$1 pid id status=0
  "$wine" "$bin/tarnwick.exe" >"$work/window.log" 2>&1 &
  pid=$!
  id=$(wait_for_window) || fail "tarnwick.exe showed no window within 60 s"
  # The window is mapped before its controls have drawn: give the paint a moment.
  sleep 1
  import -window "$id" "$shot" || fail "import could not photograph the window"
  "$wine" taskkill /IM tarnwick.exe >/dev/null
  local deadline=$((SECONDS + 20))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "tarnwick.exe did not end within 20 s of WM_CLOSE"
    sleep 0.05
  done
  wait "$pid" || status=$?
  [ $status -eq 0 ] || fail "tarnwick.exe ended with status $status after WM_CLOSE"
}

setting() {
  "$wine" reg add 'HKCU\Software\Tarnwick\Settings' /v "$1" /t REG_SZ /d "$2" /f >/dev/null
}

# Screenshots under Wine's X11 driver on Xvfb at 96 dpi (start-up and a plan over its limits)
# and at 144 dpi.
take_screenshots() {
  local started display_number=87 display shots=$PWD/build/screenshots
  started=$(date +%s%N)
  # The first display that no other X server holds.
  while [ -e "/tmp/.X${display_number}-lock" ]; do display_number=$((display_number + 1)); done
  display=:$display_number
  mkdir -p "$shots"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  local deadline=$((SECONDS + 20))
  until xwininfo -root >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
  mkdir -p "$prefix/drive_c/windows/Fonts"
  ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  "$wine" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null
  "$wine" reg delete 'HKCU\Software\Tarnwick' /f >/dev/null 2>&1 || true
  "$wineserver" -k
  "$wineserver" -w
  photograph_window "$shots/windows-startup.png"
  setting Payload 9000
  setting TaxiFuel 100
  setting HoldingFuel 300
  setting MinimumFuel 600
  setting TripDistance 20
  photograph_window "$shots/windows-red-plan.png"
  "$wine" reg delete 'HKCU\Software\Tarnwick' /f >/dev/null
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
  "$wineserver" -k
  "$wineserver" -w
  photograph_window "$shots/windows-startup-144dpi.png"
  passed "screenshots in build/screenshots: windows-startup, windows-red-plan, windows-startup-144dpi" \
    "$started"
}

# Starts tarnwick-plan.exe --open with a click on Print, serving on 127.0.0.1:$1, and waits until
# the shell has handed the print page's URL on to $BROWSER, which records it in $work/opened-url.
start_serving_planner() {
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >"%s"\n' "$work/opened-url" >"$work/record-url"
  chmod +x "$work/record-url"
  rm -f "$work/opened-url"
  BROWSER="$work/record-url" "$wine" "$bin/tarnwick-plan.exe" --json --open \
    --web-host "127.0.0.1:$1" --click cmdPrint >"$work/serving.json" 2>"$work/serving.err" &
  planner_pid=$!
  local deadline=$((SECONDS + 60))
  until [ -s "$work/opened-url" ]; do
    kill -0 "$planner_pid" 2>/dev/null || fail "tarnwick-plan.exe ended without serving: $(cat "$work/serving.err")"
    [ $SECONDS -lt $deadline ] || fail "tarnwick-plan.exe handed no URL on within 60 s"
    sleep 0.1
  done
}

# tarnwick-plan.exe --open where the Windows shell takes the URL (Wine hands it on to $BROWSER,
# which accepts it): the planner keeps serving the site, fetched here from the Linux side, until
# the page of that URL and its style sheet have been fetched, and then ends by itself; another
# program's fetches of the print page and the style sheet before do not end it. (The server's
# answers, and a port taken by another program, are the print site's and tarnwick-plan's tests
# under CTest.)
check_print_site_served() {
  local started site=web/Tarnwick url
  started=$(date +%s%N)
  port=$((20000 + RANDOM % 40000))
  start_serving_planner "$port"
  url=$(cat "$work/opened-url")
  [[ $url == "http://127.0.0.1:$port/Tarnwick/print.php?120+"* ]] || fail "the shell was handed $url"
  curl -s -o /dev/null -o /dev/null "http://127.0.0.1:$port/Tarnwick/print.php?1+2" \
    "http://127.0.0.1:$port/Tarnwick/tarnwick.css"
  sleep 0.5
  kill -0 "$planner_pid" 2>/dev/null || fail "tarnwick-plan.exe stopped serving for another program's fetch"
  curl -s -D "$work/page.head" -o "$work/page.html" "$url"
  cmp -s "$work/page.html" $site/print.php || fail "print.php is not the site's own"
  grep -qi '^content-type: text/html; charset=utf-8' "$work/page.head" || fail "print.php: $(cat "$work/page.head")"
  curl -s -o /dev/null "http://127.0.0.1:$port/Tarnwick/tarnwick.css"
  local deadline=$((SECONDS + 30)) status=0
  while kill -0 "$planner_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "tarnwick-plan.exe still serves after the page was fetched"
    sleep 0.1
  done
  wait "$planner_pid" || status=$?
  planner_pid=""
  [ $status -eq 0 ] || fail "the serving planner exited with $status: $(cat "$work/serving.err")"
  jq -e '.opened | length == 1' "$work/serving.json" >/dev/null || fail "no print URL was opened"
  passed "the print site served by tarnwick-plan.exe until the page and its style were fetched" \
    "$started"
}

# The lines of a text file all end in CR LF, as Windows' editors want them.
expect_windows_line_ends() {
  [ -s "$1" ] || fail "$1 is empty"
  ! grep -qv $'\r$' "$1" || fail "$(basename "$1") has a line without CR LF: $(grep -v $'\r$' "$1" | head -1)"
}

# A program of the zip: stripped, and importing nothing but Windows' own DLLs (no runtime of
# the compiler, nothing to install).
expect_stripped_with_system_imports() {
  local exe=$1 dll imports
  local system_dlls=" ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll 
    WS2_32.dll MSWSOCK.dll ole32.dll "
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$imports" ] || fail "objdump found no imports in $(basename "$exe")"
  for dll in $imports; do
    [[ $system_dlls == *" $dll "* ]] || fail "$(basename "$exe") imports $dll, not a Windows system DLL"
  done
  x86_64-w64-mingw32-objdump -t "$exe" | grep -q "no symbols" || fail "$(basename "$exe") is not stripped"
  ! x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug' || fail "$(basename "$exe") has debug sections"
}

# The zip as a user gets it: the three programs, README.txt and LICENSE.txt, unpacked into
# C:\Tarnwick of the fresh prefix; tarnwick-plan.exe explains itself and makes the same plan from
# there as the tested program of the build tree.
check_zip() {
  local started folder=$prefix/drive_c/Tarnwick exe
  started=$(date +%s%N)
  [ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = \
    "LICENSE.txt README.txt tarnwick-plan.exe tarnwick-simstub.exe tarnwick.exe " ] ||
    fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
  mkdir "$folder"
  unzip -q "$zip" -d "$folder"
  expect_windows_line_ends "$folder/README.txt"
  expect_windows_line_ends "$folder/LICENSE.txt"
  for exe in "$folder"/*.exe; do expect_stripped_with_system_imports "$exe"; done
  local status=0
  "$wine" 'C:\Tarnwick\tarnwick-plan.exe' --help >"$work/help.txt" 2>&1 || status=$?
  [ $status -eq 0 ] || fail "tarnwick-plan.exe --help from the zip exited with $status"
  cmp -s <(tr -d '\r' <"$work/help.txt") <("$wine" "$bin/tarnwick-plan.exe" --help | tr -d '\r') ||
    fail "tarnwick-plan.exe --help from the zip differs from the build's: $(head -3 "$work/help.txt")"
  local plan=(--json --select cboUnits=0 --set cboTripDistance=300 --set txtPayload=9000 --click cmdPrint)
  "$wine" 'C:\Tarnwick\tarnwick-plan.exe' "${plan[@]}" >"$work/zip-plan.json" ||
    fail "the plan from the zip failed"
  "$wine" "$bin/tarnwick-plan.exe" "${plan[@]}" >"$work/build-plan.json"
  jq -e '.controls.txtGTOW.text | test("^[0-9]+$")' "$work/zip-plan.json" >/dev/null ||
    fail "no takeoff weight in the plan from the zip: $(head -c 300 "$work/zip-plan.json")"
  cmp -s "$work/zip-plan.json" "$work/build-plan.json" ||
    fail "the plan from the zip differs from the build's"
  "$wine" 'C:\Tarnwick\tarnwick-simstub.exe' --help >/dev/null 2>&1 ||
    fail "tarnwick-simstub.exe --help from the zip failed"
  passed "the zip ($(stat -c %s "$zip") bytes) unpacked into C:\Tarnwick: stripped, system DLLs only, CR LF texts; tarnwick-plan.exe runs from there" \
    "$started"
}

echo "== Windows programs under Wine (prefix $prefix)"
make_prefix
check_zip
check_print_site_served
check_payload_in_kilograms
check_payload_in_pounds
check_fuel_boarding
check_fs98main_with_bad_version
check_xplane
check_hanging_server
check_window_against_stub
check_program_against_stub
take_screenshots
check_locale_grouping
