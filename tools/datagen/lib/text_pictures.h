#pragma once
// The show's lettering, all in the bold face:
//  - intro texts: six 400 x 64 strips of intensity (higher = darker letters);
//  - credits: four 400 x 240 pages of grey-ramp indices, bright on black;
//  - greetings: fifteen 400 x 96 strips of grey-ramp indices;
//  - end scroll: 300 x 1200 opacity (white text), shown from row 0 down to
//    row 1126 at 30 rows per second.
#include <cstdint>
#include <vector>

#include "tools/datagen/lib/text_canvas.h"

namespace vantrelle::datagen {

inline constexpr int kIntroTextCount = 6;
inline constexpr int kCreditsPageCount = 4;
inline constexpr int kGreetingCount = 15;
inline constexpr int kEndScrollWidth = 300;
inline constexpr int kEndScrollHeight = 1200;
inline constexpr int kEndScrollLastShownRow = 1126;

std::vector<std::uint8_t> MakeIntroTexts(TextPainter& painter);
std::vector<std::uint8_t> MakeCreditsPages(TextPainter& painter);
std::vector<std::uint8_t> MakeGreetings(TextPainter& painter);
std::vector<std::uint8_t> MakeEndScroll(TextPainter& painter);

}  // namespace vantrelle::datagen
