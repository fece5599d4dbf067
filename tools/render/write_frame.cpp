#include "tools/render/write_frame.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/write_png.h"

namespace vantrelle::render {

Status WriteRawFrame(std::FILE* out, const FrameBuffer& frame) {
  std::array<std::uint8_t, kFramePixels * 2> bytes;
  for (int i = 0; i < kFramePixels; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(frame[i]);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(frame[i] >> 8);
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    return Status::Failure(ErrorKind::kUnwritable, std::strerror(errno));
  }
  return {};
}

Status WritePngImage(const std::filesystem::path& file, const RgbImage& image) {
  return platform::WritePngRgb(file, image.pixels.data(), image.width, image.height);
}

Status WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame, int scale) {
  return WritePngImage(file, FrameToRgb(frame, scale));
}

}  // namespace vantrelle::render
