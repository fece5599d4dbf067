#pragma once
// A PNG file read back as 8-bit RGB, for the tests of what the programs write.
// Header-only: the tests that include it link libpng.
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantrelle {

struct Picture {
  int width = 0;  // 0 when the file could not be read
  int height = 0;
  std::vector<std::uint8_t> rgb;
  const std::uint8_t* At(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

inline bool SameColour(const std::uint8_t* a, const std::uint8_t* b) {
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

inline Picture ReadPng(const std::filesystem::path& file) {
  Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, file.c_str()) == 0) {
    return picture;
  }
  image.format = PNG_FORMAT_RGB;
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0) {
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
  }
  png_image_free(&image);
  return picture;
}

}  // namespace vantrelle
