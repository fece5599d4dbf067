#include "host/player.h"

#include <algorithm>

namespace vantrelle::host {

void Player::Start(std::uint32_t tick, DemoClock at) {
  paused_ = false;
  origin_ = tick - static_cast<std::uint32_t>(at);
}

DemoClock Player::Now(std::uint32_t tick) const {
  // The tick count wraps after 2^32 ms; the difference does not.
  return paused_ ? held_ : static_cast<DemoClock>(tick - origin_);
}

DemoClock Player::SeekTo(DemoClock ms, std::uint32_t tick) {
  const DemoClock target = std::clamp(ms, DemoClock{0}, kShowLengthMs);
  if (paused_) {
    held_ = Holdable(target);
    return held_;
  }
  origin_ = tick - static_cast<std::uint32_t>(target);
  return target;
}

DemoClock Player::SeekBy(DemoClock deltaMs, std::uint32_t tick) {
  const std::int64_t target = std::int64_t{Now(tick)} + deltaMs;
  return SeekTo(static_cast<DemoClock>(std::clamp<std::int64_t>(target, 0, kShowLengthMs)), tick);
}

bool Player::TogglePause(std::uint32_t tick) {
  if (paused_) {
    paused_ = false;
    origin_ = tick - static_cast<std::uint32_t>(held_);
  } else {
    held_ = Holdable(Now(tick));
    paused_ = true;
  }
  return paused_;
}

DemoClock Player::Holdable(DemoClock ms) const {
  if (ms < kShowLengthMs) {
    return ms;
  }
  return loop_ ? 0 : kShowLengthMs - 1;
}

bool Player::ToggleMute() {
  muted_ = !muted_;
  return muted_;
}

void Player::PointerMoved(std::uint32_t tick) {
  barShown_ = true;
  barSince_ = tick;
}

bool Player::BarVisible(std::uint32_t tick) const { return barShown_ && tick - barSince_ < kBarShownMs; }

}  // namespace vantrelle::host
