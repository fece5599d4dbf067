#include "tools/render/rgb_image.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/write_png.h"

namespace vantrelle::render {

RgbImage FrameToRgb(const FrameBuffer& frame, int scale) {
  return PictureToRgb(frame.data(), kFrameWidth, kFrameHeight, scale);
}

RgbImage PictureToRgb(const std::uint16_t* picture, int width, int height, int scale) {
  RgbImage image(width * scale, height * scale);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.At(0, y * scale);
    for (int x = 0; x < width; ++x) {
      const std::array<std::uint8_t, 3> rgb = platform::WidenRgb565(picture[width * y + x]);
      for (int i = 0; i < scale; ++i) {
        std::memcpy(row + 3 * (x * scale + i), rgb.data(), 3);
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
