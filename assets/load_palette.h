#pragma once
// .pal files: a 24-byte header, then 256 entries of red, green, blue and an
// ignored flags byte, packed to RGB565 by truncation.
#include <filesystem>

#include "assets/asset_buffers.h"

namespace vantrelle {

// Fills `destination` from the file. False, destination untouched, if the
// file cannot be read or is not exactly 1048 bytes.
bool LoadPalette(const std::filesystem::path& file, Palette565& destination);

}  // namespace vantrelle
