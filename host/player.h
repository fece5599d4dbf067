#pragma once
// The show as a media player: the clock the pictures follow (held while
// paused, moved by a seek), the mute switch and the progress bar's timer.
// No platform in here: the main loop reads the tick count, hands it in and
// passes what changed on to the sound library and the desktop.
#include <cstdint>

#include "core/demo_clock.h"

namespace vantrelle::host {

class Player {
 public:
  static constexpr std::uint32_t kBarShownMs = 2000;  // the bar stays this long after the pointer stops

  // `loop`: the show starts again after its end (--loop).
  explicit Player(bool loop = false) : loop_(loop) {}

  // The clock reads `at` at tick `tick` and runs from there.
  void Start(std::uint32_t tick, DemoClock at);
  // The moment to draw at tick `tick`: ticks since the (moved) origin, or the moment held.
  DemoClock Now(std::uint32_t tick) const;
  // Moves the clock to `ms`, held to 0..kShowLengthMs; returns where it went.
  // A paused show stays paused, holding the new moment; past the end that
  // is the last frame, or in a loop the opening, so a pause never ends the show.
  DemoClock SeekTo(DemoClock ms, std::uint32_t tick);
  // Moves the clock by `deltaMs` from where it is now, held as SeekTo holds.
  DemoClock SeekBy(DemoClock deltaMs, std::uint32_t tick);
  // Pauses or resumes; true when paused afterwards. Resuming runs on from the moment held.
  bool TogglePause(std::uint32_t tick);
  // Mutes or unmutes; true when muted afterwards.
  bool ToggleMute();
  // The pointer moved: the bar shows for kBarShownMs from `tick`.
  void PointerMoved(std::uint32_t tick);
  // Whether the bar is on screen at `tick`.
  bool BarVisible(std::uint32_t tick) const;

  bool Paused() const { return paused_; }
  bool Muted() const { return muted_; }

 private:
  std::uint32_t origin_ = 0;  // tick at which the running clock read 0
  DemoClock held_ = 0;        // the moment a paused show holds
  bool paused_ = false;
  bool muted_ = false;
  bool loop_ = false;
  bool barShown_ = false;
  std::uint32_t barSince_ = 0;  // tick of the last pointer movement

  // The moment a pause holds for `ms`: the show's end is never held.
  DemoClock Holdable(DemoClock ms) const;
};

}  // namespace vantrelle::host
