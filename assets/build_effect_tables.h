#pragma once
// Fills the light-ray and radial-texture look-up tables (SaturateTable,
// PolarMap, InverseDistanceMap, BrightnessTable, RaySourceX/Y) and builds
// SkyboxMesh, the 150-vertex, 192-face cube. Run last at start-up; needs
// nothing loaded. Overwrites every table of effect_tables.h.

namespace vantrelle {

void BuildEffectTables();

}  // namespace vantrelle
