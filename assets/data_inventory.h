#pragma once
// Every file of the data directory, in the order start-up reads them: its
// name, its exact size and the buffer it fills. Names keep the show's
// backslash separator; ResolveDataPath maps it to the platform's.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "assets/asset_buffers.h"

namespace vantrelle {

// Where start-up puts a file (the buffers of asset_buffers_startup.h).
struct DataTarget {
  enum class Kind { kRaw, kPalette, kPicture, kMesh };
  Kind kind = Kind::kRaw;
  std::span<std::uint8_t> bytes;       // kRaw: the file; kPicture, a late kPalette: the staged indices
  Palette565* palette = nullptr;       // kPalette: filled; kPicture: the colours its indices name
  std::span<std::uint16_t> pixels;     // kPicture, or a kPalette read after its picture: the RGB565
                                       // picture, one pixel per index of `bytes`
  std::span<std::int32_t> meshRecord;  // kMesh: the Mesh record it becomes
};

struct DataFile {
  std::string_view name;
  std::size_t bytes;  // 0 for the mesh, whose length follows from its counts
  DataTarget target;
};

inline constexpr std::size_t kPaletteFileBytes = 1048;  // 24-byte header, 256 x (r, g, b, flags)
inline constexpr std::string_view kMeshFileName = "mesh\\zerozev.3df";

extern const std::span<const DataFile> kDataFiles;

// The soundtrack is read by the show program after start-up, into a buffer
// of fixed capacity: the largest soundtrack the show takes, in bytes.
inline constexpr char kSoundtrackFileName[] = "music\\soundtrack.mp3";
inline constexpr std::size_t kSoundtrackCapacityBytes = 5'200'000;

}  // namespace vantrelle
