#include "tools/render/write_frame.h"

#include <png.h>

#include <array>
#include <cstdint>

namespace vantrelle::render {

bool WriteRawFrame(std::FILE* out, const FrameBuffer& frame) {
  std::array<std::uint8_t, kFramePixels * 2> bytes;
  for (int i = 0; i < kFramePixels; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(frame[i]);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(frame[i] >> 8);
  }
  return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
}

bool WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame) {
  std::array<std::uint8_t, kFramePixels * 3> rgb;
  for (int i = 0; i < kFramePixels; ++i) {
    const int r = frame[i] >> 11;
    const int g = (frame[i] >> 5) & 63;
    const int b = frame[i] & 31;
    rgb[3 * i] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
    rgb[3 * i + 1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
    rgb[3 * i + 2] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = kFrameWidth;
  image.height = kFrameHeight;
  image.format = PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, file.c_str(), 0, rgb.data(), kFrameWidth * 3, nullptr);
  png_image_free(&image);
  return ok != 0;
}

}  // namespace vantrelle::render
