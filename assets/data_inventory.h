#pragma once
// Every file of the data directory, in the order start-up reads them, with
// the exact size each must have. Names keep the show's backslash separator;
// ResolveDataPath maps it to the platform's.
#include <array>
#include <cstddef>
#include <string_view>

namespace vantrelle {

struct DataFile {
  std::string_view name;
  std::size_t bytes;  // 0 for the mesh, whose length follows from its counts
};

inline constexpr std::size_t kPaletteFileBytes = 1048;  // 24-byte header, 256 x (r, g, b, flags)
inline constexpr std::string_view kMeshFileName = "mesh\\zerozev.3df";

inline constexpr std::array<DataFile, 29> kDataFiles = {{
    {"gfx\\endtexture.pal", kPaletteFileBytes},
    {"gfx\\endtexture.raw", 131072},
    {"gfx\\facea.pal", kPaletteFileBytes},
    {"gfx\\facea.raw", 33600},
    {"gfx\\faceaalpha.raw", 33600},
    {"gfx\\faceb.pal", kPaletteFileBytes},
    {"gfx\\faceb.raw", 33600},
    {"gfx\\facebalpha.raw", 33600},
    {"gfx\\facec.pal", kPaletteFileBytes},
    {"gfx\\facec.raw", 33600},
    {"gfx\\facecalpha.raw", 33600},
    {"gfx\\faced.pal", kPaletteFileBytes},
    {"gfx\\faced.raw", 33600},
    {"gfx\\facedalpha.raw", 33600},
    {"gfx\\introtexts.raw", 153600},
    {"gfx\\planet.raw", 65536},
    {"gfx\\planet.pal", kPaletteFileBytes},
    {"gfx\\starsky.raw", 262144},
    {"gfx\\planetskybox.raw", 393216},
    {"gfx\\planetskybox.pal", kPaletteFileBytes},
    {"gfx\\radialtexture.raw", 65536},
    {"gfx\\radialtexture.pal", kPaletteFileBytes},
    {"gfx\\credits.raw", 384000},
    {"gfx\\clip01.raw", 1180800},
    {"gfx\\greets.raw", 576000},
    {"gfx\\planetmap.raw", 65536},
    {"gfx\\planetmap.pal", kPaletteFileBytes},
    {"gfx\\endscroll.raw", 360000},
    {kMeshFileName, 0},
}};

// The soundtrack is read by the show program after start-up, into a buffer
// of fixed capacity: the largest soundtrack the show takes, in bytes.
inline constexpr char kSoundtrackFileName[] = "music\\soundtrack.mp3";
inline constexpr std::size_t kSoundtrackCapacityBytes = 5'200'000;

}  // namespace vantrelle
