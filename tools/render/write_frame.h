#pragma once
// Frame output formats of the render tool.
#include <cstdio>
#include <filesystem>

#include "core/frame_buffer.h"

namespace vantrelle::render {

// 96,000 little-endian 16-bit words, rows top to bottom: 192,000 bytes.
bool WriteRawFrame(std::FILE* out, const FrameBuffer& frame);

// A 400 x 240 8-bit RGB PNG; each field widened by repeating its top bits.
bool WritePngFrame(const std::filesystem::path& file, const FrameBuffer& frame);

}  // namespace vantrelle::render
