#pragma once
// Player controls with no desktop, for tests: the test queues input and
// reads back every progress view the show asked for.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/player_controls.h"

namespace vantrelle::platform {

class HeadlessPlayerControls : public PlayerControls {
 public:
  bool TakePlayerEvent(PlayerEvent& event) override;
  void SetProgressMarks(const ProgressMarks& marks) override { this->marks = marks; }
  void ShowProgress(const ProgressView& view) override { views.push_back(view); }
  void KeepExactFrame(const std::uint16_t* frame) override { exactFrames.push_back(frame); }

  std::deque<PlayerEvent> pending;                // taken front first
  ProgressMarks marks;                            // as set by the show
  std::vector<ProgressView> views;                // one per ShowProgress call, in order
  std::vector<const std::uint16_t*> exactFrames;  // one per KeepExactFrame call, in order
  std::function<void()> onTake;                   // runs each time the show looks for input, before it takes any
};

}  // namespace vantrelle::platform
