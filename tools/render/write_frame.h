#pragma once
// Frame output formats of the render tool.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/frame_buffer.h"
#include "tools/render/rgb_image.h"

namespace vantrelle::render {

// 96,000 little-endian 16-bit words, rows top to bottom: 192,000 bytes.
bool WriteRawFrame(std::FILE* out, const FrameBuffer& frame);

// An 8-bit RGB PNG of the image, replacing `file` only once complete.
// "" or one line.
std::string WritePngImage(const std::filesystem::path& file, const RgbImage& image);

// The frame as a (400 x scale) x (240 x scale) PNG; see FrameToRgb.
std::string WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame, int scale = 1);

}  // namespace vantrelle::render
