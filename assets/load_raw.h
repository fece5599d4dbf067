#pragma once
// Headerless 8-bit pictures: the file's bytes, unchanged.
#include <cstdint>
#include <filesystem>
#include <span>

#include "core/status.h"

namespace vantrelle {

// Size in bytes of the regular file; kNotFound if there is none.
Result<std::uint64_t> DataFileSize(const std::filesystem::path& file);

// Reads the whole file into the start of `destination` in one read and
// returns the bytes read. Fails (destination untouched past what was read)
// with kNotFound (no regular file), kMalformed (larger than `destination`)
// or kUnreadable (cannot be opened or read).
Result<std::size_t> LoadRaw(const std::filesystem::path& file, std::span<std::uint8_t> destination);

}  // namespace vantrelle
