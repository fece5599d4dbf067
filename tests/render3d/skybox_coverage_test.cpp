#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "assets/build_effect_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "render3d/build_rotation.h"
#include "render3d/build_skybox_cube.h"
#include "render3d/draw_skybox.h"

namespace vantrelle {
namespace {

// The cube around the viewer fills the whole frame whichever way the camera
// turns, and each cube side shows its own page.
TEST(DrawSkybox, TheCubeFillsTheFrameAtAnyOrientation) {
  BuildSinCosTables();
  BuildEffectTables();
  BuildSkyboxCube();
  std::vector<std::uint16_t> sky(6 * 65536);
  for (int p = 0; p < 6; ++p) std::fill_n(sky.begin() + 65536 * p, 65536, static_cast<std::uint16_t>(0x0100 * (p + 1)));
  constexpr std::uint16_t kUnset = 0xFFFF;
  FrameBuffer frame;
  const std::int32_t turns[][3] = {{0, 0, 0},          {1024, 0, 0},      {0, 512, 0},    {300, 700, 1100},
                                   {2048, 2048, 2048}, {4000, 1500, 333}, {512, 512, 512}};
  for (SkyboxFill fill : {SkyboxFill::kAffine, SkyboxFill::kPerspective}) {
    for (const auto& t : turns) {
      frame.fill(kUnset);
      DrawSkybox(frame, BuildRotation(t[0], t[1], t[2]), sky.data(), fill);
      int unset = 0;
      for (std::uint16_t p : frame) unset += p == kUnset;
      EXPECT_EQ(unset, 0) << t[0] << " " << t[1] << " " << t[2] << " fill " << static_cast<int>(fill);
    }
  }
  // Looking straight ahead (down +z) the frame centre shows cube face 0 at
  // z = +1, which carries page 1.
  DrawSkybox(frame, BuildRotation(0, 0, 0), sky.data(), SkyboxFill::kPerspective);
  EXPECT_EQ(frame[120 * 400 + 200], sky[65536]);
  // A half turn of b looks down -z, at cube face 2 with page 3.
  DrawSkybox(frame, BuildRotation(0, 2048, 0), sky.data(), SkyboxFill::kPerspective);
  EXPECT_EQ(frame[120 * 400 + 200], sky[3 * 65536]);
}

}  // namespace
}  // namespace vantrelle
