#pragma once
// Reads the soundtrack `relativePath` (below the data directory) whole into
// `destination`, stopping at its capacity; the bytes after the file are left
// as they were. A missing file leaves the destination untouched and prints
// one warning on standard error.
#include <cstdint>
#include <span>

namespace vantrelle::host {

void LoadMusicFile(const char* relativePath, std::span<std::uint8_t> destination);

}  // namespace vantrelle::host
