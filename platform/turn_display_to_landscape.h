#pragma once
// Turns the handheld's 240 x 400 portrait display back into the 400 x 240
// landscape picture a viewer sees with the device held sideways: landscape
// pixel (c, r) is display pixel (239 - r, c). Overwrites all of `landscape`.
#include <cstdint>

namespace vantrelle::platform {

inline constexpr int kPortraitWidth = 240;   // display pixels per row
inline constexpr int kPortraitHeight = 400;  // display rows

// `pitch` is the display's row length in pixels (at least 240).
void TurnDisplayToLandscape(const std::uint16_t* display, int pitch, std::uint16_t* landscape);

}  // namespace vantrelle::platform
