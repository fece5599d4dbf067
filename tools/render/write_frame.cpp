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

bool WritePngImage(const std::filesystem::path& file, const RgbImage& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&png, file.c_str(), 0, image.pixels.data(), image.width * 3, nullptr);
  png_image_free(&png);
  return ok != 0;
}

bool WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame, int scale) {
  return WritePngImage(file, FrameToRgb(frame, scale));
}

}  // namespace vantrelle::render
