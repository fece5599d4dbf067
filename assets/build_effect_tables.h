#pragma once
// Fills the light-ray and radial-texture look-up tables (SaturateTable,
// PolarMap, InverseDistanceMap, BrightnessTable, RaySourceX/Y, RayTaps).
// Needs nothing loaded. Overwrites every table of effect_tables.h except
// SkyboxMesh, which render3d/build_skybox_cube.h builds.

namespace vantrelle {

void BuildEffectTables();

}  // namespace vantrelle
