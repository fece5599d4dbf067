#pragma once
// Frame output formats of the render tool.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/frame_buffer.h"
#include "core/status.h"
#include "tools/render/rgb_image.h"

namespace vantrelle::render {

// 96,000 little-endian 16-bit words, rows top to bottom: 192,000 bytes.
// Fails with kUnwritable and the system's reason, without the file's name.
Status WriteRawFrame(std::FILE* out, const FrameBuffer& frame);

// An 8-bit RGB PNG of the image, replacing `file` only once complete.
// Fails with kUnwritable and one line naming the file.
Status WritePngImage(const std::filesystem::path& file, const RgbImage& image);

// The frame as a (400 x scale) x (240 x scale) PNG; see FrameToRgb.
Status WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame, int scale = 1);

}  // namespace vantrelle::render
