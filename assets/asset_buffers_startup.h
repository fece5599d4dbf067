#pragma once
// Writable views of the buffers of asset_buffers.h, for the start-up code
// that loads them; everything else reads them through const references.
#include <array>
#include <cstdint>

#include "assets/asset_buffers.h"

namespace vantrelle {
namespace startup {

// Loading scratch, never read once the show runs; one row each, as above.
using PictureStaging = std::array<std::uint8_t, 131072>;      // 8-bit pictures before expansion
using SmallPictureStaging = std::array<std::uint8_t, 65536>;  // 8-bit scratch; the planet picture
using SkyboxStagingBuffer = std::array<std::uint8_t, std::tuple_size_v<SkyboxBuffer>>;  // a skybox's indices
#define VANTRELLE_STAGING_BUFFERS(ROW)    \
  ROW(PictureStaging, StagingA)           \
  ROW(SmallPictureStaging, StagingB)      \
  ROW(SkyboxStagingBuffer, SkyboxStaging) \
  ROW(Palette565, PaletteStaging)  // the colours of the picture read next

#define VANTRELLE_WRITABLE(Type, name) extern Type name;
VANTRELLE_STAGING_BUFFERS(VANTRELLE_WRITABLE)
VANTRELLE_DATA_BUFFERS(VANTRELLE_WRITABLE)
#undef VANTRELLE_WRITABLE

}  // namespace startup
}  // namespace vantrelle
