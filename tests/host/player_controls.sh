#!/usr/bin/env bash
# The show as a player, on a virtual X server with SDL's disk audio driver:
# Space holds picture and sound, Right and Left move both by 5 s, the pointer
# shows the progress bar for 2 s, M silences the sound while the picture runs
# on, --loop goes on from the opening, and a run with no input ends by
# itself with status 0. Pictures are compared with vantrelle-render's frames
# around the expected moment, sounds with the soundtrack decoded by ffmpeg.
# Exits 77 (skipped) without the tools or the data set.
set -euo pipefail
source "${BASH_SOURCE%/*}/start_xvfb.sh"

show=$1
render=$2
data=$(dirname "$show")
start=110000  # ms: the clip under the greetings, drawn whole each frame

for tool in Xvfb xdotool ffmpeg python3; do
  command -v "$tool" >/dev/null || { echo "skip: no $tool"; exit 77; }
done
[ -f "$data/music/soundtrack.mp3" ] && [ -d "$data/gfx" ] || { echo "skip: no data set in $data"; exit 77; }

work=$(mktemp -d)
xvfb_pid=""
show_pid=""
mover_pid=""
cleanup() {
  [ -n "$show_pid" ] && kill "$show_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$mover_pid" ] && kill "$mover_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 191 240 400x240x24
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

# finish: Escape, then the show must be gone with status 0.
finish() {
  xdotool key Escape
  for _ in $(seq 100); do
    if ! kill -0 "$show_pid" 2>/dev/null; then
      local status=0
      wait "$show_pid" || status=$?
      show_pid=""
      [ "$status" -eq 0 ] || fail "exit status $status after Escape"
      return 0
    fi
    sleep 0.1
  done
  fail "still running 10 s after Escape"
}

shot() { ffmpeg -hide_banner -loglevel error -f x11grab -video_size 400x240 -i "$display" -frames:v 1 \
  -f rawvideo -pix_fmt rgb24 -y "$work/$1.rgb"; }
audio_size() { stat -c %s "$work/$1.raw"; }
key() { xdotool key "$1"; }
note() { echo "$1 $2" >>"$work/marks"; }  # a named number for the checks below

# The player's keys and the pointer, in one run.
launch player --start "$start"
sleep 1.5
note before_right "$(audio_size player)"
key Right
sleep 1.5
note after_right "$(audio_size player)"
key space
sleep 1
shot paused1
note pause_from "$(audio_size player)"
sleep 1
shot paused2
note pause_to "$(audio_size player)"
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
note resume_from "$(audio_size player)"
key space
sleep 1.5
shot resumed
note before_left "$(audio_size player)"
key Left  # soon after the resume: the disk driver's pace drifts from the clock on a busy machine
sleep 1.5
note after_left "$(audio_size player)"
key m
sleep 1
note mute_from "$(audio_size player)"
shot muted1
sleep 1
shot muted2
note mute_to "$(audio_size player)"
key m
sleep 1.5
note unmuted_to "$(audio_size player)"
finish

ffmpeg -hide_banner -loglevel error -i "$data/music/soundtrack.mp3" -f s16le -acodec pcm_s16le "$work/track.raw"
cat >"$work/keys.py" <<'PY'
import sys

work, start = sys.argv[1], int(sys.argv[2])
FRAME = 400 * 240 * 2
RATE, CHANNELS = 22050, 2  # the soundtrack's format, which the disk driver writes as it is
marks = dict(line.split() for line in open(f"{work}/marks"))
mark = lambda name: int(marks[name])
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def shot565(name):
    """The screenshot in RGB565: the top bits of each channel are the frame's own."""
    rgb = open(f"{work}/{name}.rgb", "rb").read()
    out = bytearray()
    for i in range(0, len(rgb), 3):
        v = ((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3)
        out += v.to_bytes(2, "little")
    return bytes(out)


audio = open(f"{work}/player.raw", "rb").read()
track = memoryview(open(f"{work}/track.raw", "rb").read()).cast("h")
sound = memoryview(audio[: len(audio) // 2 * 2]).cast("h")


def silent(lo, hi):
    return all(s == 0 for s in sound[lo // 2 : hi // 2])


def loud(lo, hi):
    part = sound[lo // 2 : hi // 2]
    return len(part) > 0 and sum(1 for s in part if abs(s) > 256) > len(part) // 10


def track_position(byte, near_ms, within_ms=700):
    """Where in the soundtrack (in ms) the sound written at `byte` comes from,
    searched within `within_ms` of `near_ms`; None when nothing there matches."""
    frame = byte // (2 * CHANNELS)
    window = [sound[(frame + i) * CHANNELS] for i in range(256)]
    if sum(1 for s in window if abs(s) > 256) < 64:
        return None
    limit = 8 * len(window)  # two decoders may differ by a step or two per sample
    centre, span = int(near_ms * RATE / 1000), within_ms * RATE // 1000
    best = None
    for at in range(max(centre - span, 0), centre + span):
        total = 0
        for i, s in enumerate(window):
            total += abs(track[(at + i) * CHANNELS] - s)
            if total > limit:
                break
        if total <= limit and (best is None or total < best[0]):
            best = (total, at)
    return None if best is None else best[1] * 1000 / RATE


def written_ms(byte):
    return byte / (2 * CHANNELS) * 1000 / RATE


# Right while playing: the sound jumps 5 s further than it played.
before = mark("before_right") - RATE * 2 * CHANNELS // 4
after = mark("after_right") - RATE * 2 * CHANNELS // 4
at_before = track_position(before, start + written_ms(before))
at_after = track_position(after, start + written_ms(after) + 5000)
if at_before is None or at_after is None:
    check(False, f"the sound around Right is the soundtrack's ({at_before}, {at_after})")
else:
    jump = at_after - at_before - written_ms(after - before)
    check(abs(jump - 5000) < 500, f"Right moves the music by {jump:.0f} ms")

# Space: the picture holds and the sound is silence.
paused = shot565("paused1")
check(paused == shot565("paused2"), "two screenshots 1 s apart while paused are the same")
check(silent(mark("pause_from"), mark("pause_to")), "the sound written while paused is silence")
check(shot565("bar_gone") == paused, "2.5 s after the pointer stops the screen is the bare frame again")
check(shot565("paused_left") == paused, "Right then Left while paused shows the same moment again")
bar = open(f"{work}/bar.rgb", "rb").read()
row = 400 * 3
check(bar[: 200 * row] == open(f"{work}/paused1.rgb", "rb").read()[: 200 * row],
      "the bar leaves the picture above it alone")
marks_seen = sum(1 for i in range(200 * row, len(bar), 3) if bar[i : i + 3] == bytes((255, 190, 40)))
check(marks_seen >= 24 * 8, f"moving the pointer shows the bar with its segment marks ({marks_seen} mark pixels)")
# Over the bar the hidden pointer is shown by a white line where a click would go.
hover = open(f"{work}/hover.rgb", "rb").read()
white = {(i // 3 % 400, i // row) for i in range(216 * row, len(hover), 3) if hover[i : i + 3] == b"\xff\xff\xff"}
check(white and {x for x, _ in white} == {200}, f"the pointer over the bar is marked at its column ({len(white)} pixels)")

# The rendered frames: the paused moment, the moment 5 s on, and where the click went.
right = shot565("paused_right")
clicked = shot565("clicked")[: 200 * 800]
CLICKED_MS = (251328 * 192 + 383) // 384  # column 192 of 384 on the track, rounded up
clicked_frame = None
held, held_right = [], []
t = start + 4000
source = sys.stdin.buffer
while True:
    frame = source.read(FRAME)
    if len(frame) < FRAME:
        break
    if frame == paused:
        held.append(t)
    if frame == right:
        held_right.append(t)
    if t == CLICKED_MS:
        clicked_frame = frame[: 200 * 800]
    t += 1
check(bool(held), f"the paused picture is a frame of the show ({held[:1]}..{held[-1:]})")
check(any(t + 5000 in held_right for t in held), "Right while paused shows the frame 5 s on")
check(clicked == clicked_frame, f"a click halfway along the bar shows the frame at {CLICKED_MS} ms")

# Space again: both move on, the music from the moment the picture held.
resumed = shot565("resumed")
check(resumed != paused, "after a second Space the picture moves on")
check(loud(mark("resume_from"), mark("before_left")), "after a second Space the sound comes back")
resumed_at = mark("resume_from")
while resumed_at < len(audio) and silent(resumed_at, resumed_at + 64):
    resumed_at += 64
at = track_position(resumed_at + 4096, CLICKED_MS + written_ms(4096))
check(at is not None and abs(at - written_ms(4096) - CLICKED_MS) < 150,
      f"the music goes on from the moment held ({at} ms, {written_ms(4096):.0f} ms after {CLICKED_MS} ms)")

# M: silence while the picture runs, then the sound again.
check(silent(mark("mute_from"), mark("mute_to")), "M silences the sound")
check(shot565("muted1") != shot565("muted2"), "the picture runs on while muted")
check(loud(mark("mute_to"), mark("unmuted_to")), "a second M brings the sound back")

# Left while playing: the sound goes back 5 s from where it was.
track_ms = lambda byte: CLICKED_MS + written_ms(byte - resumed_at)  # no seek since the resume
before = mark("before_left") - RATE * 2 * CHANNELS // 4
after = mark("after_left") - RATE * 2 * CHANNELS // 4
at_before = track_position(before, track_ms(before))
at_after = track_position(after, track_ms(after) - 5000)
if at_before is None or at_after is None:
    check(False, f"the sound around Left is the soundtrack's ({at_before}, {at_after})")
else:
    jump = at_after - at_before - written_ms(after - before)
    check(abs(jump + 5000) < 500, f"Left moves the music by {jump:.0f} ms")
sys.exit(1 if failures else 0)
PY
"$render" --data "$data" --from $((start + 4000)) --to $((start + 20000)) --step 1 --raw - 2>/dev/null |
  python3 "$work/keys.py" "$work" "$start" || fail "the player's keys"

# --loop: 3 s after starting near the end it still runs, in the opening.
launch loop --start 250500 --loop
sleep 3
shot looped
kill -0 "$show_pid" 2>/dev/null || fail "--loop: the show ended at the end"
finish
cat >"$work/loop.py" <<'PY'
import operator
import sys

FRAME = 400 * 240 * 2
rgb = open(f"{sys.argv[1]}/looped.rgb", "rb").read()
words = bytearray()
for i in range(0, len(rgb), 3):
    words += (((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3)).to_bytes(2, "little")
shot = bytes(words)
target = memoryview(shot).cast("H")
best, t = None, 0
source = sys.stdin.buffer
while True:
    frame = source.read(FRAME)
    if len(frame) < FRAME:
        break
    if frame == shot:
        best = (0, t)
        break
    if t % 8 == 0:  # a screenshot may catch a picture mid-update: the nearest of a sample
        differing = sum(map(operator.ne, memoryview(frame).cast("H"), target))
        if best is None or differing < best[0]:
            best = (differing, t)
    t += 1
print(f"the looped picture is nearest the opening's frame at {best[1]} ms ({best[0]} pixels differ)")
if best[0] > 960 or not any(shot):
    print("FAIL: --loop does not draw the opening's frames")
    sys.exit(1)
PY
set +o pipefail  # the check stops reading at the first exact match
"$render" --data "$data" --from 0 --to 8000 --step 1 --raw - 2>/dev/null | python3 "$work/loop.py" "$work" ||
  fail "--loop"
set -o pipefail

# Without input a run ends by itself, with status 0.
launch plain --start 249500
status=""
for _ in $(seq 300); do
  if ! kill -0 "$show_pid" 2>/dev/null; then
    status=0
    wait "$show_pid" || status=$?
    show_pid=""
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "without input: still running 30 s after the end"
[ "$status" -eq 0 ] || fail "without input: exit status $status at the end"
echo "ok: without input the show ends by itself with status 0"
