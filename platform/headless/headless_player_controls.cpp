#include "platform/headless/headless_player_controls.h"

namespace vantrelle::platform {

bool HeadlessPlayerControls::TakePlayerEvent(PlayerEvent& event) {
  if (onTake) {
    onTake();
  }
  if (pending.empty()) {
    return false;
  }
  event = pending.front();
  pending.pop_front();
  return true;
}

}  // namespace vantrelle::platform
