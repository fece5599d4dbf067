#pragma once
// Says in one line on standard error what is wrong with the soundtrack the
// show has just loaded, and what happens instead: nothing when it plays
// whole, a silent show when it cannot be decoded, or the time at which the
// music stops when the file is larger than the show's buffer.
#include <cstdint>
#include <filesystem>
#include <span>

namespace vantrelle::host {

// `fileBytes` is the soundtrack file's size (-1: none, already reported),
// `loaded` the buffer it was read into, `opened` whether the sound library
// took it as a stream. Decodes the buffer again only when it was cut short.
void ReportSoundtrack(const std::filesystem::path& file, std::int64_t fileBytes, std::span<const std::uint8_t> loaded,
                      bool opened);

}  // namespace vantrelle::host
