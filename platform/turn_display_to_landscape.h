#pragma once
// The handheld's 240 x 400 portrait display and the 400 x 240 landscape
// picture a viewer sees with the device held sideways: landscape pixel
// (c, r) is display pixel (239 - r, c). Both turns below follow from
// LandscapeIndex alone.
#include <cstdint>

namespace vantrelle::platform {

inline constexpr int kPortraitWidth = 240;   // display pixels per row
inline constexpr int kPortraitHeight = 400;  // display rows

// Where display pixel (x, y) sits in the landscape picture, counting row by row.
constexpr int LandscapeIndex(int x, int y) { return (kPortraitWidth - 1 - x) * kPortraitHeight + y; }

// `pitch` is the display's row length in pixels (at least 240). Overwrites all of `landscape`.
void TurnDisplayToLandscape(const std::uint16_t* display, int pitch, std::uint16_t* landscape);

// The other way: the upright display (240 pixels a row) of a landscape picture. Overwrites all of `display`.
void TurnLandscapeToDisplay(const std::uint16_t* landscape, std::uint16_t* display);

}  // namespace vantrelle::platform
