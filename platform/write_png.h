#pragma once
// PNG files of pictures: the desktop's screenshots and the render tool's
// frames share this writer.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/status.h"

namespace vantrelle::platform {

// An RGB565 pixel widened to 8 bits a field by repeating its top bits, so
// that full fields (31, 63) become 255 and zero stays 0.
inline std::array<std::uint8_t, 3> WidenRgb565(std::uint16_t pixel) {
  const int r = pixel >> 11;
  const int g = (pixel >> 5) & 63;
  const int b = pixel & 31;
  return {static_cast<std::uint8_t>((r << 3) | (r >> 2)), static_cast<std::uint8_t>((g << 2) | (g >> 4)),
          static_cast<std::uint8_t>((b << 3) | (b >> 2))};
}

// An 8-bit RGB PNG of `rgb` (3 bytes a pixel, rows top to bottom), written
// beside `file` and renamed over it once complete (see ReplacementFile).
// Fails with kUnwritable and one line; a failure leaves `file` as it was.
// When `stopped` is given and returns true once the picture is written, the
// picture is dropped, `file` is left as it was and kStopped is returned.
Status WritePngRgb(const std::filesystem::path& file, const std::uint8_t* rgb, int width, int height,
                   bool (*stopped)() = nullptr);

// The same for an RGB565 picture of width x height pixels, rows top to bottom.
Status WritePngRgb565(const std::filesystem::path& file, const std::uint16_t* pixels, int width, int height);

// A name in `directory` for a new screenshot taken at `stamp`
// ("vantrelle-20260101-120000.png", then "-2", "-3", ... if taken).
std::filesystem::path FreeScreenshotPath(const std::filesystem::path& directory, const std::string& stamp);

}  // namespace vantrelle::platform
