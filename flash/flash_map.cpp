#include "flash/flash_map.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace vantrelle::flash {
namespace {

constexpr std::string_view kHeading = "vantrelle flash map 1";
constexpr DemoClock kLatestMs = 100'000'000;       // far past any show; keeps every sum in range
constexpr std::size_t kLargestMapBytes = 1 << 20;  // a map of a long, flashing show is a few kB
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

void Hash(std::uint64_t& hash, std::string_view bytes) {
  for (const char c : bytes) {
    hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
  }
}

// One whole number in [least, most], else false.
template <typename T>
bool ParseNumber(std::string_view word, T least, T most, T& out, int base = 10) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), out, base);
  return error == std::errc() && end == word.data() + word.size() && out >= least && out <= most;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t end = std::min(line.find(' ', at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

}  // namespace

Result<std::uint64_t> DataFingerprint(std::span<const std::filesystem::path> files) {
  std::uint64_t hash = kFnvOffset;
  // Read a block at a time, not a character at a time: in the page this runs
  // as the data loads, before the first frame.
  std::array<char, 16384> block;
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return Status::Failure(ErrorKind::kNotFound, file.string() + ": cannot open it");
    Hash(hash, file.filename().string());
    Hash(hash, std::string_view("\0", 1));
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
      Hash(hash, std::string_view(block.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (!in.eof()) {
      return Status::Failure(ErrorKind::kUnreadable, file.string() + ": cannot read it");
    }
  }
  return hash;
}

std::string FlashMapText(const FlashMap& map) {
  char line[96];
  std::snprintf(line, sizeof line, "fingerprint %016" PRIx64 "\n", map.fingerprint);
  std::string text = std::string(kHeading) + "\n" + line;
  for (const Stretch& s : map.stretches) {
    std::snprintf(line, sizeof line, "stretch %" PRId32 " %" PRId32 " %" PRIu32 " %" PRIu32 "\n", s.from, s.to, s.scale,
                  s.level);
    text += line;
  }
  return text;
}

Result<FlashMap> ParseFlashMap(std::string_view text, const std::string& name) {
  FlashMap map;
  int lineNumber = 0;
  auto bad = [&](const std::string& what) {
    return Status::Failure(ErrorKind::kMalformed,
                           name + ": line " + std::to_string(lineNumber) + ": " + what + "; make the map again");
  };
  if (text.size() > kLargestMapBytes) {
    return Status::Failure(ErrorKind::kMalformed,
                           name + ": larger than any flash map (" + std::to_string(text.size()) + " bytes)");
  }
  bool fingerprinted = false;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return bad("the last line does not end");
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    const std::vector<std::string_view> words = Words(line);
    if (lineNumber == 1) {
      if (line != kHeading) return bad("not a flash map (expected \"" + std::string(kHeading) + "\")");
    } else if (lineNumber == 2) {
      if (words.size() != 2 || words[0] != "fingerprint" || words[1].size() != 16 ||
          !ParseNumber<std::uint64_t>(words[1], 0, UINT64_MAX, map.fingerprint, 16)) {
        return bad("expected \"fingerprint\" and 16 hexadecimal digits");
      }
      fingerprinted = true;
    } else {
      Stretch s;
      if (words.size() != 5 || words[0] != "stretch" || !ParseNumber<DemoClock>(words[1], 0, kLatestMs, s.from) ||
          !ParseNumber<DemoClock>(words[2], 0, kLatestMs, s.to) ||
          !ParseNumber<std::uint32_t>(words[3], kLeastScale, kFullScale, s.scale) ||
          !ParseNumber<std::uint32_t>(words[4], 0, 65536, s.level)) {
        return bad("expected \"stretch FROM TO SCALE LEVEL\" (ms up to " + std::to_string(kLatestMs) + ", scale " +
                   std::to_string(kLeastScale) + " to " + std::to_string(kFullScale) + ", level up to 65536)");
      }
      if (s.to <= s.from) return bad("a stretch that ends before it starts");
      if (!map.stretches.empty() && s.from - map.stretches.back().to < 2 * kRampMs) {
        return bad("a stretch that is out of order or whose ramp meets the one before");
      }
      map.stretches.push_back(s);
    }
  }
  if (!fingerprinted) {
    return Status::Failure(ErrorKind::kMalformed, name + ": incomplete flash map; make the map again");
  }
  return map;
}

Result<FlashMap> ReadFlashMap(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    return Status::Failure(ErrorKind::kNotFound, file.string() + ": no flash map there");
  }
  std::ifstream in(file, std::ios::binary);
  std::string text;
  text.resize(kLargestMapBytes + 1);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad() || (!in && !in.eof())) {
    return Status::Failure(ErrorKind::kUnreadable, file.string() + ": cannot read it");
  }
  text.resize(static_cast<std::size_t>(in.gcount()));
  return ParseFlashMap(text, file.string());
}

}  // namespace vantrelle::flash
