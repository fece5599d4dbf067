"""What the X tests of the show program check in a screenshot (ffmpeg's rgb24),
the sound SDL's disk driver wrote (s16le, the soundtrack's format) and the
frames vantrelle-render writes to standard input (RGB565 little-endian).

  python3 screen_checks.py shown SHOT.rgb [AUDIO.raw]  the picture is one of the frames, the sound not silence
  python3 screen_checks.py player WORK START           the player's keys, from the shots and marks in WORK

Each prints one line a check and exits 1 when one fails.
"""

import operator
import sys

WIDTH, HEIGHT = 400, 240
FRAME = WIDTH * HEIGHT * 2
RATE, CHANNELS = 22050, 2  # the soundtrack's format, which the disk driver writes as it is
NEAR = WIDTH * HEIGHT // 100  # 1%: a screenshot may catch a picture mid-update
failures = []


def check(ok, what):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def shot565(path):
    """The screenshot in RGB565: the top bits of each channel are the frame's own."""
    rgb = read(path)
    out = bytearray()
    for i in range(0, len(rgb), 3):
        v = ((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3)
        out += v.to_bytes(2, "little")
    return bytes(out)


def frames():
    source = sys.stdin.buffer
    while True:
        frame = source.read(FRAME)
        if len(frame) < FRAME:
            return
        yield frame


def nearest(shot, every=1):
    """(pixels differing, frame index, frames read) of the frame nearest `shot`:
    every frame is tried for an exact match, which ends the reading, and every
    `every`th is counted pixel by pixel."""
    target = memoryview(shot).cast("H")
    best, n = None, 0
    for n, frame in enumerate(frames()):
        if frame == shot:
            return 0, n, n + 1
        if n % every == 0:
            differing = sum(map(operator.ne, memoryview(frame).cast("H"), target))
            if best is None or differing < best[0]:
                best = (differing, n)
    return (None, None, 0) if best is None else (*best, n + 1)


def loud_share(samples):
    return sum(1 for s in samples if abs(s) > 256) / max(len(samples), 1)  # above -42 dBFS


def shown(shot_path, audio_path=None):
    """The picture is one of the frames, not black; the sound, when given, not silence.
    Without sound every 8th frame is counted pixel by pixel: --loop reads 8 s of them."""
    shot = shot565(shot_path)
    differing, at, count = nearest(shot, every=1 if audio_path else 8)
    check(differing is not None and differing <= NEAR and any(shot),
          f"the window shows the show's picture: the nearest of {count} frames, {at}, differs in {differing} pixels")
    if audio_path:
        audio = read(audio_path)
        samples = memoryview(audio[: len(audio) // 2 * 2]).cast("h")
        check(loud_share(samples) >= 0.1, f"the sound is not silence ({len(samples)} samples)")


def player(work, start):
    marks = dict(line.split() for line in open(f"{work}/marks"))
    mark = lambda name: int(marks[name])
    audio = read(f"{work}/player.raw")
    track = memoryview(read(f"{work}/track.raw")).cast("h")
    sound = memoryview(audio[: len(audio) // 2 * 2]).cast("h")
    row = WIDTH * 3
    bytes_per_ms = 2 * CHANNELS * RATE / 1000

    def silent(lo, hi):
        return all(s == 0 for s in sound[lo // 2 : hi // 2])

    def loud(lo, hi):
        part = sound[lo // 2 : hi // 2]
        return len(part) > 0 and loud_share(part) > 0.1

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
        return byte / bytes_per_ms

    def jump(name, before, after, playing_at, expected):
        """How far the music moved between two marks (a quarter of a second back),
        against where it would be playing without the seek."""
        before -= RATE * 2 * CHANNELS // 4
        after -= RATE * 2 * CHANNELS // 4
        at_before = track_position(before, playing_at(before))
        at_after = track_position(after, playing_at(after) + expected)
        if at_before is None or at_after is None:
            check(False, f"the sound around {name} is the soundtrack's ({at_before}, {at_after})")
        else:
            moved = at_after - at_before - written_ms(after - before)
            check(abs(moved - expected) < 500, f"{name} moves the music by {moved:.0f} ms")

    # Right while playing: the sound jumps 5 s further than it played.
    jump("Right", mark("before_right"), mark("after_right"), lambda b: start + written_ms(b), 5000)

    # Space: the picture holds and the sound is silence.
    paused = shot565(f"{work}/paused1.rgb")
    check(paused == shot565(f"{work}/paused2.rgb"), "two screenshots 1 s apart while paused are the same")
    check(silent(mark("pause_from"), mark("pause_to")), "the sound written while paused is silence")
    check(shot565(f"{work}/bar_gone.rgb") == paused, "2.5 s after the pointer stops the screen is the bare frame again")
    check(shot565(f"{work}/paused_left.rgb") == paused, "Right then Left while paused shows the same moment again")
    bar = read(f"{work}/bar.rgb")
    check(bar[: 200 * row] == read(f"{work}/paused1.rgb")[: 200 * row], "the bar leaves the picture above it alone")
    marks_seen = sum(1 for i in range(200 * row, len(bar), 3) if bar[i : i + 3] == bytes((255, 190, 40)))
    check(marks_seen >= 24 * 8, f"moving the pointer shows the bar with its segment marks ({marks_seen} mark pixels)")
    # Over the bar the hidden pointer is shown by a white line where a click would go.
    hover = read(f"{work}/hover.rgb")
    white = {(i // 3 % WIDTH, i // row) for i in range(216 * row, len(hover), 3) if hover[i : i + 3] == b"\xff\xff\xff"}
    check(white and {x for x, _ in white} == {200}, f"the pointer over the bar is marked at its column ({len(white)} pixels)")

    # The rendered frames: the paused moment, the moment 5 s on, and where the click went.
    right = shot565(f"{work}/paused_right.rgb")
    above_bar = 200 * WIDTH * 2
    clicked = shot565(f"{work}/clicked.rgb")[:above_bar]
    clicked_ms = (251328 * 192 + 383) // 384  # column 192 of 384 on the track, rounded up
    clicked_frame = None
    held, held_right = [], []
    for n, frame in enumerate(frames()):
        t = start + 4000 + n
        if frame == paused:
            held.append(t)
        if frame == right:
            held_right.append(t)
        if t == clicked_ms:
            clicked_frame = frame[:above_bar]
    check(bool(held), f"the paused picture is a frame of the show ({held[:1]}..{held[-1:]})")
    check(any(t + 5000 in held_right for t in held), "Right while paused shows the frame 5 s on")
    check(clicked == clicked_frame, f"a click halfway along the bar shows the frame at {clicked_ms} ms")

    # Space again: both move on, the music from the moment the picture held.
    check(shot565(f"{work}/resumed.rgb") != paused, "after a second Space the picture moves on")
    check(loud(mark("resume_from"), mark("before_left")), "after a second Space the sound comes back")
    resumed_at = mark("resume_from")
    while resumed_at < len(audio) and silent(resumed_at, resumed_at + 64):
        resumed_at += 64
    at = track_position(resumed_at + 4096, clicked_ms + written_ms(4096))
    check(at is not None and abs(at - written_ms(4096) - clicked_ms) < 150,
          f"the music goes on from the moment held ({at} ms, {written_ms(4096):.0f} ms after {clicked_ms} ms)")

    # M: silence while the picture runs, then the sound again.
    check(silent(mark("mute_from"), mark("mute_to")), "M silences the sound")
    check(shot565(f"{work}/muted1.rgb") != shot565(f"{work}/muted2.rgb"), "the picture runs on while muted")
    check(loud(mark("mute_to"), mark("unmuted_to")), "a second M brings the sound back")

    # Left while playing: the sound goes back 5 s from where it was (no seek since the resume).
    jump("Left", mark("before_left"), mark("after_left"), lambda b: clicked_ms + written_ms(b - resumed_at), -5000)


if __name__ == "__main__":
    command, args = sys.argv[1], sys.argv[2:]
    if command == "shown":
        shown(*args)
    elif command == "player":
        player(args[0], int(args[1]))
    else:
        sys.exit(f"screen_checks.py: unknown check '{command}'")
    sys.exit(1 if failures else 0)
