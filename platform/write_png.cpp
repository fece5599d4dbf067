#include "platform/write_png.h"

#include <png.h>

#include <vector>

#include "platform/replace_file.h"

namespace vantrelle::platform {

Status WritePngRgb(const std::filesystem::path& file, const std::uint8_t* rgb, int width, int height,
                   bool (*stopped)()) {
  ReplacementFile out;
  if (Status opened = out.Open(file); !opened.ok()) {
    return opened;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGB;
  // Written to a stream, not by name: the library's own file writer removes the file on failure.
  const int ok = png_image_write_to_stdio(&png, out.Stream(), 0, rgb, width * 3, nullptr);
  const std::string reason = png.message;
  png_image_free(&png);
  if (ok == 0) {
    return Status::Failure(ErrorKind::kUnwritable, "cannot write " + file.string() + ": " + reason);
  }
  if (stopped != nullptr && stopped()) {
    return Status::Failure(ErrorKind::kStopped, "stopped while writing " + file.string());
  }
  return out.Commit();
}

Status WritePngRgb565(const std::filesystem::path& file, const std::uint16_t* pixels, int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
    const std::array<std::uint8_t, 3> wide = WidenRgb565(pixels[i]);
    rgb[3 * i] = wide[0];
    rgb[3 * i + 1] = wide[1];
    rgb[3 * i + 2] = wide[2];
  }
  return WritePngRgb(file, rgb.data(), width, height);
}

std::filesystem::path FreeScreenshotPath(const std::filesystem::path& directory, const std::string& stamp) {
  std::filesystem::path path = directory / ("vantrelle-" + stamp + ".png");
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(path, ignored); ++n) {
    path = directory / ("vantrelle-" + stamp + "-" + std::to_string(n) + ".png");
  }
  return path;
}

}  // namespace vantrelle::platform
