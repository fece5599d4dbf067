#pragma once
// .pal files: a 24-byte header, then 256 entries of red, green, blue and an
// ignored flags byte, packed to RGB565 by truncation.
#include <filesystem>

#include "assets/asset_buffers.h"
#include "core/status.h"

namespace vantrelle {

// Fills `destination` from the file. On failure the destination is untouched
// and the kind says why: kNotFound (no file), kMalformed (not exactly 1048
// bytes) or kUnreadable.
Status LoadPalette(const std::filesystem::path& file, Palette565& destination);

}  // namespace vantrelle
