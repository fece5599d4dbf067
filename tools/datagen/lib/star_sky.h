#pragma once
// gfx\starsky.raw: 512 x 512 intensities (drawn through the grey ramp), a
// deep star field over faint nebula that tiles in both directions. The star
// skyboxes take every second pixel of it.
#include <cstdint>
#include <vector>

namespace vantrelle::datagen {

inline constexpr int kStarSkySize = 512;

std::vector<std::uint8_t> MakeStarSky();

}  // namespace vantrelle::datagen
