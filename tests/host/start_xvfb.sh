# shellcheck shell=bash
# Sourced by the X tests of the show program (bash).
# start_xvfb FIRST LAST GEOMETRY starts a virtual X server on the first free
# display number in FIRST..LAST (each test has its own range, so that two can
# run at once) and waits up to 5 s until it answers. Sets `display` (":N")
# and `xvfb_pid`; the caller ends the server.
start_xvfb() {
  local first=$1 last=$2 geometry=$3 n
  display=""
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  # -noreset: a test that ends the last client must not find the server resetting.
  Xvfb "$display" -screen 0 "$geometry" -nolisten tcp -noreset >/dev/null 2>&1 &
  # shellcheck disable=SC2034 # read by the test that sourced this
  xvfb_pid=$!
  for _ in $(seq 50); do
    DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
}
