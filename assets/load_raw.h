#pragma once
// Headerless 8-bit pictures: the file's bytes, unchanged.
#include <cstdint>
#include <filesystem>
#include <span>

namespace vantrelle {

// Size in bytes of the regular file, or -1 if there is none.
std::int64_t DataFileSize(const std::filesystem::path& file);

// Reads the whole file into the start of `destination` in one read and
// returns its size; -1 (destination untouched past what was read) if it
// cannot be opened or read, or is larger than `destination`.
std::int64_t LoadRaw(const std::filesystem::path& file, std::span<std::uint8_t> destination);

}  // namespace vantrelle
