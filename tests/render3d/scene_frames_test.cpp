// Whole frames of the 3D scenes against recorded hashes. A change in any
// hash means a changed picture: the commit that updates one says why.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "render3d/animate_tetra_field.h"
#include "render3d/animate_tetra_swarm.h"
#include "render3d/animate_tetra_tunnel.h"
#include "render3d/build_procedural_meshes.h"
#include "render3d/build_rotation.h"
#include "render3d/build_skybox_cube.h"
#include "render3d/draw_rings.h"
#include "render3d/draw_skybox.h"
#include "render3d/procedural_meshes.h"
#include "render3d/render_mesh_scene.h"
#include "testing/frame_hash.h"

namespace vantrelle {
namespace {

class SceneFrames : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    BuildSinCosTables();
    BuildEffectTables();
    BuildSkyboxCube();
    BuildProceduralMeshes();
  }
  void SetUp() override {
    for (std::size_t i = 0; i < sky_.size(); ++i) sky_[i] = static_cast<std::uint16_t>((i * 2654435761u) >> 16);
    for (std::size_t i = 0; i < texture_.size(); ++i) texture_[i] = static_cast<std::uint16_t>(i ^ (i >> 5));
    for (int i = 0; i < 256; ++i) ramp_[i] = static_cast<std::uint16_t>(((i >> 3) << 11) | ((i >> 2) << 5) | 31);
    frame_.fill(0x1234);
  }
  void Render(const std::int32_t* mesh, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t depth,
              std::int32_t mode) {
    RenderMeshScene(frame_, a, b, c, 0, 0, 0, 0, 0, 0, 3200, 1920, depth, mesh, texture_.data(), ramp_.data(),
                    EnvMap.data(), sky_.data(), 1, mode);
  }
  FrameBuffer frame_{};
  std::vector<std::uint16_t> sky_ = std::vector<std::uint16_t>(6 * 65536);
  std::vector<std::uint16_t> texture_ = std::vector<std::uint16_t>(65536);
  std::array<std::uint16_t, 256> ramp_{};
};

TEST_F(SceneFrames, TetraFieldTunnelSwarmSphereAndSky) {
  std::int32_t c = 7000;  // the field, as the first 3D scene draws it
  AnimateTetraField(TetraField.data(), c);
  Render(TetraField.data(), c / 7, c / 5 + 1024, c / 13, Sin((64 * c) / 462) - 196608, 1);
  EXPECT_EQ(FrameHash(frame_), 2188188795076921463u) << "field";

  c = 500;  // looking down the tunnel
  AnimateTetraTunnel(TetraTunnel.data(), c);
  Render(TetraTunnel.data(), Sin(c / 15) >> 5, Sin(c / 16) >> 5, 0, 0, 1);
  EXPECT_EQ(FrameHash(frame_), 2398206153229164504u) << "tunnel";

  c = 7000;
  AnimateTetraSwarm(TetraField.data(), c);
  Render(TetraField.data(), -400, 1024, 50, 0, 1);  // looking along +x and up, at the swarm
  EXPECT_EQ(FrameHash(frame_), 7698029423461046323u) << "swarm";

  c = 14000;  // the planet near its largest
  Render(SphereMesh.data(), 512, c / 13, 128, (16384 * c) / 462 - 720896, 3);
  EXPECT_EQ(FrameHash(frame_), 18039413341527537506u) << "sphere";

  DrawSkybox(frame_, BuildRotation(1000 / 5, 1000 / 7, 1000 / 3), sky_.data(), 1);
  EXPECT_EQ(FrameHash(frame_), 14944228102450017825u) << "sky";
}

TEST_F(SceneFrames, Rings) {
  // Three rings of points and a soft round blob, standing in for the show's.
  std::array<std::int32_t, 624 * 3> points{};
  for (int i = 0; i < 624; ++i) {
    const std::int32_t a = (i % 16) * 256 + (i / 16) * 40;
    points[3 * i] = Sin(a) >> ((i / 16) % 3);
    points[3 * i + 1] = ((i / 16) - 19) * 6000;
    points[3 * i + 2] = Cos(a) >> ((i / 16) % 3);
  }
  for (int i = 0; i < 65536; ++i) {
    const int dx = (i & 255) - 128, dy = (i >> 8) - 128;
    const int d2 = dx * dx + dy * dy;
    startup::GlowSprite[i] = static_cast<std::uint8_t>(d2 >= 16384 ? 0 : (16384 - d2) / 256);
  }
  for (int i = 0; i < 256; ++i) startup::GreyRamp[i] = static_cast<std::uint16_t>(((i >> 3) << 11) | ((i >> 2) << 5) | (i >> 3));
  DrawRings(frame_, points.data(), -262144, 30000);
  EXPECT_EQ(FrameHash(frame_), 7606838627955039023u) << "rings";
}

}  // namespace
}  // namespace vantrelle
