#include "platform/turn_display_to_landscape.h"

namespace vantrelle::platform {

void TurnDisplayToLandscape(const std::uint16_t* display, int pitch, std::uint16_t* landscape) {
  for (int r = 0; r < kPortraitWidth; ++r) {
    const int column = kPortraitWidth - 1 - r;
    for (int c = 0; c < kPortraitHeight; ++c) {
      landscape[r * kPortraitHeight + c] = display[c * pitch + column];
    }
  }
}

}  // namespace vantrelle::platform
