#pragma once
// 8-bit RGB pictures made from frames, for PNG files and contact sheets.
#include <cstdint>
#include <vector>

#include "core/frame_buffer.h"

namespace vantrelle::render {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // r, g, b per pixel, rows top to bottom

  RgbImage() = default;
  RgbImage(int w, int h, std::uint8_t grey = 0)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3, grey) {}
  std::uint8_t* At(int x, int y) { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
  const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// The frame widened to 8 bits a field (platform::WidenRgb565) and enlarged `scale` times (1..16) by repeating pixels.
RgbImage FrameToRgb(const FrameBuffer& frame, int scale);
// The same for any RGB565 picture of width x height pixels, rows top to bottom.
RgbImage PictureToRgb(const std::uint16_t* picture, int width, int height, int scale);

// Copies `source` into `target` with its top-left corner at (x, y); clipped.
void PasteImage(RgbImage& target, const RgbImage& source, int x, int y);

}  // namespace vantrelle::render
