#!/usr/bin/env bash
# The real program on a virtual X server: started some way into the show in a
# 400 x 240 window, its picture must be one of the frames vantrelle-render
# draws around that time, its sound must not be silence, and Escape must end
# it with status 0 within a second. Exits 77 (skipped) without the tools or
# the data set.
set -euo pipefail
source "${BASH_SOURCE%/*}/start_xvfb.sh"
checks=${BASH_SOURCE%/*}/screen_checks.py

show=$1
render=$2
data=$(dirname "$show")
start=110000  # ms: the clip under the greetings, drawn whole each frame

for tool in Xvfb xdotool ffmpeg python3; do
  command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
done
if [ ! -f "$data/music/soundtrack.mp3" ] || [ ! -d "$data/gfx" ]; then echo "skip: no data set in $data"; exit 77; fi

work=$(mktemp -d)
xvfb_pid=""
show_pid=""
cleanup() {
  local pid
  for pid in "$show_pid" "$xvfb_pid"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 91 140 400x240x24
export DISPLAY=$display

# Leak checking (in a sanitizer build) would blame the X and SDL libraries.
ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
  "$show" --window --scale 1 --start "$start" >"$work/show.log" 2>&1 &
show_pid=$!
# The sound device opens when the music starts, after loading.
for _ in $(seq 300); do
  [ -s "$work/audio.raw" ] && break
  kill -0 "$show_pid" 2>/dev/null || { echo "FAIL: the show ended early"; cat "$work/show.log"; exit 1; }
  sleep 0.1
done
[ -s "$work/audio.raw" ] || { echo "FAIL: the music never started"; cat "$work/show.log"; exit 1; }
sleep 1.5

ffmpeg -hide_banner -loglevel error -f x11grab -video_size 400x240 -i "$display" -frames:v 1 \
  -f rawvideo -pix_fmt rgb24 "$work/shot.rgb"

pressed=$(date +%s%N)
xdotool key Escape
status=""
for _ in $(seq 100); do
  if ! kill -0 "$show_pid" 2>/dev/null; then
    set +e
    wait "$show_pid"
    status=$?
    set -e
    break
  fi
  sleep 0.01
done
ended=$(date +%s%N)
show_pid=""
[ -n "$status" ] || { echo "FAIL: still running a second after Escape"; cat "$work/show.log"; exit 1; }
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status after Escape"; cat "$work/show.log"; exit 1; }
echo "Escape ended the show in $(((ended - pressed) / 1000000)) ms"

# The comparison stops at the first exact match; the renderer may then die of a closed pipe.
set +o pipefail
"$render" --data "$data" --from $((start + 500)) --to $((start + 4500)) --step 1 --raw - 2>/dev/null |
  python3 "$checks" shown "$work/shot.rgb" "$work/audio.raw"
