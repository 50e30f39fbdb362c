# Sourced by the scripts that need an X display (bash). start_xvfb WORK starts an X server of
# its own, Xvfb at 1280x1024x24 without TCP, and exports DISPLAY once it takes connections:
# Xvfb picks a free display itself and names it (-displayfd), so no display number is guessed
# and no authority file can go wrong. -noreset: by default the server resets whenever its last
# client leaves, and a client connecting during that reset is refused ("could not connect to
# display"); the AT-SPI bus launcher opens and closes short connections of its own just as the
# program under test starts. Sets xvfb_pid, which the caller ends; the server's output goes to
# WORK/xvfb.log. Returns 1, saying why, when the server does not start within 20 s.
start_xvfb() {
  local work=$1 deadline=$((SECONDS + 20))
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  until [ -s "$work/display" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
      return 1
    fi
    if [ $SECONDS -ge $deadline ]; then
      echo "Xvfb named no display within 20 s" >&2
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=:$(cat "$work/display")
  export DISPLAY
}
