#pragma once
// Synthetic frame sequences with known flash answers, shared by the analysis and filter tests.
#include <cstdint>
#include <functional>
#include <string>

#include "core/demo_clock.h"
#include "core/frame_buffer.h"

namespace vantrelle::flash::testing {

inline constexpr int kSequenceFps = 60;
inline constexpr DemoClock kSequenceMs = 3000;

// RGB565 from 5-, 6- and 5-bit codes.
constexpr std::uint16_t Rgb(int r, int g, int b) { return static_cast<std::uint16_t>(r << 11 | g << 5 | b); }

struct Sequence {
  std::string name;
  std::function<void(int frame, FrameBuffer&)> draw;  // frame n at floor(n * 1000 / 60) ms
  bool screenFails;
  bool regionFails;
  bool red;  // saturated-red transitions expected
};

// Whole screen: `on` for `every` frames, then `off` as long, and so on.
inline std::function<void(int, FrameBuffer&)> Strobe(std::uint16_t on, std::uint16_t off, int every) {
  return [=](int frame, FrameBuffer& f) { f.fill((frame / every) % 2 == 0 ? on : off); };
}

inline const Sequence kSequences[] = {
    {"strobe5Hz", Strobe(0xFFFF, 0, 6), true, true, false},
    {"strobe3Hz", Strobe(0xFFFF, 0, 10), false, false, false},
    {"strobe2Hz", Strobe(0xFFFF, 0, 15), false, false, false},
    // Both states at or above 0.8 relative luminance (codes 29/59/29 are about 0.86).
    {"brightToWhite", Strobe(0xFFFF, Rgb(29, 59, 29), 6), false, false, false},
    {"cornerSquare5Hz",
     [](int frame, FrameBuffer& f) {
       f.fill(0);
       if ((frame / 6) % 2 == 0) {
         for (int y = kFrameHeight - 60; y < kFrameHeight; ++y)
           for (int x = kFrameWidth - 60; x < kFrameWidth; ++x)
             f[static_cast<std::size_t>(y * kFrameWidth + x)] = 0xFFFF;
       }
     },
     false, true, false},
    {"red5Hz", Strobe(Rgb(31, 0, 0), 0, 6), true, true, true},
    {"slowFade",
     [](int frame, FrameBuffer& f) {
       const int code = frame * 31 / (kSequenceMs * kSequenceFps / 1000);
       f.fill(Rgb(code, code * 2, code));
     },
     false, false, false},
};

}  // namespace vantrelle::flash::testing
