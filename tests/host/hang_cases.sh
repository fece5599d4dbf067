#!/usr/bin/env bash
# Where the show used to hang: a data-error box, a soundtrack that is a FIFO,
# the show's end. Under a virtual X server and on SDL's dummy video driver,
# each run must end within 2 s of SIGTERM (or by itself); unattended runs print
# the error in one line and exit without a box; a window killed or destroyed
# from outside ends the show with one line and status 0; with no display at
# all it says so and exits 1. Exits 77 (skipped) without Xvfb or the data set.
set -uo pipefail
source "${BASH_SOURCE%/*}/x_session.sh"

show=$1
data=$(dirname "$show")
x_session 141 190 640x480x24

# The real data with a FIFO for a soundtrack.
mkdir -p "$work/fifo/music"
ln -s "$data/gfx" "$work/fifo/gfx"
ln -s "$data/mesh" "$work/fifo/mesh"
mkfifo "$work/fifo/music/soundtrack.mp3"

failures=0
fail() { echo "FAIL $*"; cat "$work/log"; failures=$((failures + 1)); }
# run NAME EXPECTED_STATUSES ENV... -- ARGS...: starts the show, waits a second
# (up to 10 s for a run that should end by itself), sends SIGTERM if it still
# runs, and checks that it is gone 2 s later.
run() {
  local name=$1 expected=$2
  shift 2
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  # Leaks inside the X and D-Bus client libraries are theirs, not ours.
  env ASAN_OPTIONS=detect_leaks=0 "${env[@]}" SDL_AUDIODRIVER=dummy "$show" --window "$@" >"$work/log" 2>&1 &
  local pid=$! status
  # A run that should end by itself gets up to 10 s on a loaded machine.
  local wait_tenths=10
  [[ "|$expected|" == *"|$term|"* ]] || wait_tenths=100
  for _ in $(seq "$wait_tenths"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -TERM "$pid" 2>/dev/null
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    fail "$name: still running 2 s after SIGTERM"
    return
  fi
  wait "$pid"
  status=$?
  [[ "|$expected|" == *"|$status|"* ]] || fail "$name: status $status, expected $expected"
}

x11=("DISPLAY=$display" SDL_VIDEODRIVER=x11)
dummy=(DISPLAY= SDL_VIDEODRIVER=dummy)
term=$((128 + 15))
# Without X fonts SDL cannot draw the box and the show ends by itself.
run "data-error box, X" "$term|2" "${x11[@]}" -- --data /nonexistent
run "data error, X, --no-dialog" 2 "${x11[@]}" -- --data /nonexistent --no-dialog
run "data error, dummy driver" 2 "${dummy[@]}" -- --data /nonexistent
{ [ "$(wc -l <"$work/log")" = 1 ] && grep -qx "vantrelle: data error: /nonexistent: [^:]*" "$work/log"; } ||
  fail "the data error is not one line:"
run "data error, dummy driver with a display" 2 SDL_VIDEODRIVER=dummy "DISPLAY=$display" -- --data /nonexistent
run "FIFO soundtrack, X" "$term" "${x11[@]}" -- --data "$work/fifo"
run "FIFO soundtrack, dummy driver" "$term" "${dummy[@]}" -- --data "$work/fifo"
run "the show's end, X" 0 "${x11[@]}" -- --start 249500

# No display at all and no driver asked for: one line and status 1 at once,
# never the show played on an invisible screen.
env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY= XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy \
  ASAN_OPTIONS=detect_leaks=0 timeout 20 "$show" --window --no-dialog >"$work/log" 2>&1
status=$?
{ [ "$status" = 1 ] && [ "$(wc -l <"$work/log")" = 1 ] && grep -q "^vantrelle: cannot open the display: " "$work/log"; } ||
  fail "no display: status $status"

# A window killed or destroyed from outside: one line at most, and status 0.
for how in windowkill windowclose; do
  DISPLAY=$display SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$show" --window >"$work/log" 2>&1 &
  pid=$!
  window=""
  for _ in $(seq 50); do
    window=$(DISPLAY=$display xdotool search --name "Vantrelle X2" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  DISPLAY=$display xdotool "$how" "$window" 2>/dev/null
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "$how: the show outlived its window"; }
  wait "$pid"
  status=$?
  { [ "$status" = 0 ] && [ "$(wc -l <"$work/log")" -le 1 ]; } || fail "$how: status $status"
done

[ "$failures" = 0 ] || exit 1
echo "all hang cases ended"
