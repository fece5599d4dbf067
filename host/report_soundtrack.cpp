#include "host/report_soundtrack.h"

#include <cstdio>

#include "platform/decode_mp3.h"

namespace vantrelle::host {

void ReportSoundtrack(const std::filesystem::path& file, std::int64_t fileBytes, std::span<const std::uint8_t> loaded,
                      bool opened) {
  if (fileBytes < 0) {
    return;
  }
  if (!opened) {
    std::fprintf(stderr, "vantrelle: cannot decode the soundtrack %s; the show runs silent\n", file.c_str());
    return;
  }
  if (static_cast<std::uint64_t>(fileBytes) <= loaded.size()) {
    return;
  }
  platform::DecodedSound sound;
  platform::DecodeMp3(loaded.data(), loaded.size(), sound);
  const std::int64_t ms = platform::LengthMs(sound);
  std::fprintf(
      stderr,
      "vantrelle: the soundtrack %s has %lld bytes and the show holds %zu: the music stops at %lld:%02lld.%03lld\n",
      file.c_str(), static_cast<long long>(fileBytes), loaded.size(), static_cast<long long>(ms / 60000),
      static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
}

}  // namespace vantrelle::host
