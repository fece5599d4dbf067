#!/usr/bin/env bash
# The show as a player, on a virtual X server with SDL's disk audio driver:
# started some way into the show in a 400 x 240 window, its picture is one of
# the frames vantrelle-render draws around that time and its sound is not
# silence; Space holds picture and sound, Right and Left move both by 5 s, the
# pointer shows the progress bar for 2 s, M silences the sound while the
# picture runs on, Escape ends it with status 0 within a second, and --loop
# goes on from the opening (hang_cases.sh sees a run end by itself).
# Pictures are compared with vantrelle-render's frames around the expected
# moment, sounds with the soundtrack decoded by ffmpeg.
# Exits 77 (skipped) without the tools or the data set.
set -euo pipefail
source "${BASH_SOURCE%/*}/x_session.sh"
checks=${BASH_SOURCE%/*}/screen_checks.py

show=$1
render=$2
data=$(dirname "$show")
start=110000  # ms: the clip under the greetings, drawn whole each frame

[ -f "$data/music/soundtrack.mp3" ] || { echo "skip: no soundtrack in $data"; exit 77; }
x_session 191 240 400x240x24 ffmpeg python3
export DISPLAY=$display

fail() {
  echo "FAIL: $*"
  cat "$work/show.log"
  exit 1
}

# launch NAME ARGS...: starts the show in a 400 x 240 window writing its sound
# to $work/NAME.raw and waits until the sound has begun.
launch() {
  local name=$1
  shift
  ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/$name.raw" \
    "$show" --window --scale 1 "$@" >"$work/show.log" 2>&1 &
  show_pid=$!
  for _ in $(seq 600); do
    [ -s "$work/$name.raw" ] && return 0
    kill -0 "$show_pid" 2>/dev/null || fail "$name: the show ended early"
    sleep 0.1
  done
  fail "$name: the music never started"
}

# finish: Escape, then the show must be gone within a second with status 0.
finish() {
  local pressed ended status=0
  pressed=$(date +%s%N)
  xdotool key Escape
  for _ in $(seq 100); do
    kill -0 "$show_pid" 2>/dev/null || break
    sleep 0.01
  done
  ended=$(date +%s%N)
  kill -0 "$show_pid" 2>/dev/null && fail "still running a second after Escape"
  wait "$show_pid" || status=$?
  show_pid=""
  [ "$status" -eq 0 ] || fail "exit status $status after Escape"
  echo "Escape ended the show in $(((ended - pressed) / 1000000)) ms"
}

shot() { ffmpeg -hide_banner -loglevel error -f x11grab -video_size 400x240 -i "$display" -frames:v 1 \
  -f rawvideo -pix_fmt rgb24 -y "$work/$1.rgb"; }
key() { xdotool key "$1"; }
note() { echo "$1 $(stat -c %s "$work/player.raw")" >>"$work/marks"; }  # the sound's size so far, named for the checks

# The player's keys and the pointer, in one run.
launch player --start "$start"
sleep 1.5
shot shown
note before_right
key Right
sleep 1.5
note after_right
key space
sleep 1
shot paused1
note pause_from
sleep 1
shot paused2
note pause_to
key Right
sleep 1
shot paused_right
key Left
sleep 1
shot paused_left
# The pointer keeps moving while the screenshot is taken, however long that takes.
(while true; do
  xdotool mousemove 100 100
  sleep 0.2
  xdotool mousemove 140 120
  sleep 0.2
done) &
mover_pid=$!
sleep 0.5
shot bar
kill "$mover_pid"
wait "$mover_pid" 2>/dev/null || true
mover_pid=""
sleep 2.5
shot bar_gone
xdotool mousemove 200 230
sleep 0.3
shot hover
xdotool mousemove 201 230  # the bar again for 2 s, however long the screenshot took
xdotool mousemove 200 230
sleep 0.5
xdotool click 1  # on the bar, halfway along its track (x 8 to 392)
sleep 1
shot clicked
note resume_from
key space
sleep 1.5
shot resumed
note before_left
key Left  # soon after the resume: the disk driver's pace drifts from the clock on a busy machine
sleep 1.5
note after_left
key m
sleep 1
note mute_from
shot muted1
sleep 1
shot muted2
note mute_to
key m
sleep 1.5
note unmuted_to
finish

set +o pipefail  # a check may stop reading at the first exact match; it fails when the frames do not come
"$render" --data "$data" --from $((start + 500)) --to $((start + 4500)) --step 1 --raw - 2>/dev/null |
  python3 "$checks" shown "$work/shown.rgb" "$work/player.raw" || fail "the picture and the sound"
ffmpeg -hide_banner -loglevel error -i "$data/music/soundtrack.mp3" -f s16le -acodec pcm_s16le "$work/track.raw"
"$render" --data "$data" --from $((start + 4000)) --to $((start + 20000)) --step 1 --raw - 2>/dev/null |
  python3 "$checks" player "$work" "$start" || fail "the player's keys"

# --loop: 3 s after starting near the end it still runs, in the opening.
launch loop --start 250500 --loop
sleep 3
shot looped
kill -0 "$show_pid" 2>/dev/null || fail "--loop: the show ended at the end"
finish
"$render" --data "$data" --from 0 --to 8000 --step 1 --raw - 2>/dev/null | python3 "$checks" shown "$work/looped.rgb" ||
  fail "--loop"

