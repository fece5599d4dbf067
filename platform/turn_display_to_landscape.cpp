#include "platform/turn_display_to_landscape.h"

namespace vantrelle::platform {

void TurnDisplayToLandscape(const std::uint16_t* display, int pitch, std::uint16_t* landscape) {
  for (int y = 0; y < kPortraitHeight; ++y) {
    for (int x = 0; x < kPortraitWidth; ++x) {
      landscape[LandscapeIndex(x, y)] = display[y * pitch + x];
    }
  }
}

void TurnLandscapeToDisplay(const std::uint16_t* landscape, std::uint16_t* display) {
  for (int y = 0; y < kPortraitHeight; ++y) {
    for (int x = 0; x < kPortraitWidth; ++x) {
      display[y * kPortraitWidth + x] = landscape[LandscapeIndex(x, y)];
    }
  }
}

}  // namespace vantrelle::platform
