#pragma once
// How a vertical video lays out the show for phone-first sites: the display
// upright (240 x 400, as the handheld was held), enlarged by whole pixels and
// centred on black. The render tool and the page's clips both follow it.
#include "core/frame_buffer.h"

namespace vantrelle::render {

inline constexpr int kVerticalScale = 4;
inline constexpr int kVerticalWidth = 1080;
inline constexpr int kVerticalHeight = 1920;
// The upright picture's top-left corner in the video, in video pixels.
inline constexpr int kVerticalLeft = (kVerticalWidth - kVerticalScale * kFrameHeight) / 2;
inline constexpr int kVerticalTop = (kVerticalHeight - kVerticalScale * kFrameWidth) / 2;
static_assert(kVerticalLeft >= 0 && kVerticalTop >= 0, "the upright picture fits the video");

}  // namespace vantrelle::render
