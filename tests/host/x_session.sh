# shellcheck shell=bash
# Sourced by the X tests of the show program (bash), with `data` set to the
# data set's folder. x_session FIRST LAST GEOMETRY [PROGRAM...] skips the test
# (exit 77) unless Xvfb, xdotool and the PROGRAMs are installed and the data
# set is there; makes the scratch folder `work`, removed at exit with every
# background job still running; then starts a virtual X server on the first
# free display number in FIRST..LAST (each test has its own range, so that two
# can run at once), waits up to 5 s until it answers and sets `display` (":N").
x_session() {
  local first=$1 last=$2 geometry=$3 tool n
  shift 3
  for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
  done
  # shellcheck disable=SC2154 # set by the test that sourced this
  [ -d "$data/gfx" ] || { echo "skip: no data set in $data"; exit 77; }
  work=$(mktemp -d)
  trap x_session_end EXIT
  display=""
  for n in $(seq "$first" "$last"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  # -noreset: a test that ends the last client must not find the server resetting.
  Xvfb "$display" -screen 0 "$geometry" -nolisten tcp -noreset >/dev/null 2>&1 &
  for _ in $(seq 50); do
    DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
}

x_session_end() {
  local pids
  pids=$(jobs -pr)
  # shellcheck disable=SC2086 # one word a process id
  [ -z "$pids" ] || kill $pids 2>/dev/null || true
  rm -rf "$work"
}
