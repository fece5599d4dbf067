// vantrelle-make-icons FRAME.raw OUTDIR: the show's icon, made at build time
// from one frame of the show (400 x 240 RGB565 little-endian, as
// vantrelle-render --raw writes it). The frame's middle 256 columns fill a
// 256 x 256 square from the bottom up; the 16 rows left at the top are black
// (deep space, so they do not show). 128, 64 and 32 are averaged from it in
// whole blocks. The link preview's poster is the whole frame three times
// its size, less 15 frame rows at the top and at the bottom, to make
// 1200 x 630. Writes OUTDIR/<n>x<n>/vantrelle.png and OUTDIR/poster.png.
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/write_png.h"

namespace {

constexpr int kFrameWidth = 400;
constexpr int kFrameHeight = 240;
constexpr int kIconSize = 256;  // the largest icon; the frame's height fits with 16 rows to spare
constexpr int kTop = kIconSize - kFrameHeight;
constexpr int kCropLeft = (kFrameWidth - kIconSize) / 2;
constexpr std::array<int, 4> kBlocks = {1, 2, 4, 8};  // 256, 128, 64, 32
constexpr int kPosterScale = 3;
constexpr int kPosterWidth = kFrameWidth * kPosterScale;  // 1200
constexpr int kPosterHeight = 630;                        // what link previews expect beside 1200
constexpr int kPosterTop = (kFrameHeight * kPosterScale - kPosterHeight) / 2;

int Fail(const std::string& message) {
  std::fprintf(stderr, "vantrelle-make-icons: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    return Fail("usage: vantrelle-make-icons FRAME.raw OUTDIR");
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.size() != std::size_t{kFrameWidth} * kFrameHeight * 2) {
    return Fail(std::string(argv[1]) + ": not one 400 x 240 RGB565 frame");
  }
  std::vector<std::uint8_t> square(std::size_t{kIconSize} * kIconSize * 3, 0);
  for (int y = 0; y < kFrameHeight; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const std::size_t at = (std::size_t{static_cast<unsigned>(y)} * kFrameWidth + kCropLeft + x) * 2;
      const auto rgb = vantrelle::platform::WidenRgb565(static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8));
      const std::size_t to = (std::size_t{static_cast<unsigned>(y + kTop)} * kIconSize + static_cast<unsigned>(x)) * 3;
      std::copy(rgb.begin(), rgb.end(), square.begin() + static_cast<std::ptrdiff_t>(to));
    }
  }
  std::vector<std::uint8_t> poster(std::size_t{kPosterWidth} * kPosterHeight * 3);
  for (int y = 0; y < kPosterHeight; ++y) {
    for (int x = 0; x < kPosterWidth; ++x) {
      const int fy = (y + kPosterTop) / kPosterScale;
      const std::size_t at =
          (std::size_t{static_cast<unsigned>(fy)} * kFrameWidth + static_cast<unsigned>(x / kPosterScale)) * 2;
      const auto rgb = vantrelle::platform::WidenRgb565(static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8));
      const std::size_t to = (std::size_t{static_cast<unsigned>(y)} * kPosterWidth + static_cast<unsigned>(x)) * 3;
      std::copy(rgb.begin(), rgb.end(), poster.begin() + static_cast<std::ptrdiff_t>(to));
    }
  }
  std::error_code made;
  std::filesystem::create_directories(argv[2], made);
  if (const vantrelle::Status written = vantrelle::platform::WritePngRgb(std::filesystem::path(argv[2]) / "poster.png",
                                                                         poster.data(), kPosterWidth, kPosterHeight);
      !written.ok()) {
    return Fail(written.message);
  }
  for (const int block : kBlocks) {
    const int size = kIconSize / block;
    std::vector<std::uint8_t> icon(std::size_t{static_cast<unsigned>(size * size)} * 3);
    for (std::size_t i = 0; i < icon.size(); ++i) {
      const std::size_t pixel = i / 3;
      const std::size_t x = pixel % static_cast<unsigned>(size);
      const std::size_t y = pixel / static_cast<unsigned>(size);
      unsigned sum = 0;
      for (int dy = 0; dy < block; ++dy) {
        for (int dx = 0; dx < block; ++dx) {
          sum += square[((y * block + dy) * kIconSize + x * block + dx) * 3 + i % 3];
        }
      }
      icon[i] = static_cast<std::uint8_t>((sum + block * block / 2) / (block * block));
    }
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path directory = std::filesystem::path(argv[2]) / name;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (const vantrelle::Status written =
            vantrelle::platform::WritePngRgb(directory / "vantrelle.png", icon.data(), size, size);
        !written.ok()) {
      return Fail(written.message);
    }
  }
  return 0;
}
