#pragma once
// Fills the light-ray and radial-texture look-up tables (SaturateTable,
// PolarMap, InverseDistanceMap, BrightnessTable, RaySourceX/Y, RayTaps).
// Needs nothing loaded. Overwrites every table of effect_tables.h.

#include "assets/effect_tables.h"

namespace vantrelle {

void BuildEffectTables();

// BuildEffectTables on the first call, nothing on later ones. Start-up calls
// it as its last step; a host still waiting for its data can call it first,
// so that loading the data, once it is there, takes less time (the page does).
void BuildEffectTablesOnce();

// Writable views of the tables of effect_tables.h, for the start-up code that fills
// them; everything else reads them through const references.
namespace startup {
extern std::array<std::int32_t, 512> SaturateTable;
extern std::array<std::uint8_t, 384000> InverseDistanceMap;
extern std::array<std::uint16_t, 384000> PolarMap;
extern std::array<std::int32_t, 65536> BrightnessTable;
extern std::array<std::int32_t, 65536> RaySourceX;
extern std::array<std::int32_t, 65536> RaySourceY;
extern std::array<RayTap, 65536> RayTaps;
}  // namespace startup

}  // namespace vantrelle
