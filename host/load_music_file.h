#pragma once
// Reads the soundtrack `relativePath` (below `dataDirectory`) whole into
// `destination`, stopping at its capacity; the bytes after the file are left
// as they were. Returns the file's size in bytes. A missing file, or one that
// is not a regular file (a FIFO would block for ever), leaves the destination
// untouched, prints one warning on standard error and returns -1.
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/system_services.h"

namespace vantrelle::host {

std::int64_t LoadMusicFile(platform::SystemServices& system, const std::filesystem::path& dataDirectory,
                           const char* relativePath, std::span<std::uint8_t> destination);

}  // namespace vantrelle::host
