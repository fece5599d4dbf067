#pragma once
// Where the reduced-flash filter works, worked out ahead from the analysis:
// stretches of the show where it fails, each with how far the picture's range
// is compressed there. A small text file beside the data set, carrying the
// data set's fingerprint so that a map made from other data is noticed.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/demo_clock.h"
#include "core/status.h"

namespace vantrelle::flash {

inline constexpr char kFlashMapFile[] = "flash.map";  // beside the data set's files
inline constexpr DemoClock kRampMs = 250;             // the filter fades in and out over this, each side
inline constexpr std::uint32_t kFullScale = 4096;     // scale x4096: 4096 keeps the picture exact
inline constexpr std::uint32_t kLeastScale = 64;      // 1/64: past this the picture is a flat grey anyway

struct Stretch {
  DemoClock from = 0;  // full strength over [from, to); the ramps lie outside it
  DemoClock to = 0;
  std::uint32_t scale = kFullScale;  // x4096: how much of the picture's range is kept, kLeastScale .. kFullScale
  std::uint32_t level = 0;           // linear light x65536: the grey the range is compressed toward
};

struct FlashMap {
  std::uint64_t fingerprint = 0;   // of the data set it was made from
  std::vector<Stretch> stretches;  // in time order; one ramp never reaches into the next stretch's
};

// The data set's fingerprint: the files the frames are drawn from, in the
// order given, by name and content (64-bit FNV-1a).
Result<std::uint64_t> DataFingerprint(std::span<const std::filesystem::path> files);

std::string FlashMapText(const FlashMap& map);
// kMalformed, naming `name` and the line, for anything but a well-formed map.
Result<FlashMap> ParseFlashMap(std::string_view text, const std::string& name);

Result<FlashMap> ReadFlashMap(const std::filesystem::path& file);

}  // namespace vantrelle::flash
