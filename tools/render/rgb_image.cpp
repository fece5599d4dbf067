#include "tools/render/rgb_image.h"

#include <algorithm>
#include <cstring>

namespace vantrelle::render {

RgbImage FrameToRgb(const FrameBuffer& frame, int scale) {
  RgbImage image(kFrameWidth * scale, kFrameHeight * scale);
  for (int y = 0; y < kFrameHeight; ++y) {
    std::uint8_t* row = image.At(0, y * scale);
    for (int x = 0; x < kFrameWidth; ++x) {
      const int pixel = frame[kFrameWidth * y + x];
      const int r = pixel >> 11;
      const int g = (pixel >> 5) & 63;
      const int b = pixel & 31;
      const std::uint8_t rgb[3] = {static_cast<std::uint8_t>((r << 3) | (r >> 2)),
                                   static_cast<std::uint8_t>((g << 2) | (g >> 4)),
                                   static_cast<std::uint8_t>((b << 3) | (b >> 2))};
      for (int i = 0; i < scale; ++i) {
        std::memcpy(row + 3 * (x * scale + i), rgb, 3);
      }
    }
    for (int i = 1; i < scale; ++i) {
      std::memcpy(image.At(0, y * scale + i), row, static_cast<std::size_t>(image.width) * 3);
    }
  }
  return image;
}

void PasteImage(RgbImage& target, const RgbImage& source, int x, int y) {
  const int left = std::max(0, -x);
  const int right = std::min(source.width, target.width - x);
  if (left >= right) {
    return;
  }
  for (int row = std::max(0, -y); row < std::min(source.height, target.height - y); ++row) {
    std::memcpy(target.At(x + left, y + row), source.At(left, row), static_cast<std::size_t>(right - left) * 3);
  }
}

}  // namespace vantrelle::render
