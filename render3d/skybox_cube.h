#pragma once
// The cube DrawSkybox draws around the viewer. Start-up builds it
// (build_skybox_cube.h); the show only reads it.
#include <array>
#include <cstdint>

namespace vantrelle {

// Six sides of 4 x 4 squares, two faces each.
struct SkyboxGeometry {
  static constexpr int kVertices = 150;
  static constexpr int kFaces = 192;
  std::int32_t vertexCount = 0;
  std::int32_t faceCount = 0;
  std::array<std::int32_t, kVertices * 3> vertices{};  // x, y, z in 16.16
  std::array<std::int32_t, kFaces * 3> corners{};      // vertex indices
  std::array<std::int32_t, kFaces> pages{};            // texture page 0..5
  std::array<std::int32_t, kFaces * 3> cornerU{};      // 1/16 texel, 0..4080
  std::array<std::int32_t, kFaces * 3> cornerV{};
  std::array<std::int32_t, kFaces> drawOrder{};
};

extern const SkyboxGeometry& SkyboxMesh;

}  // namespace vantrelle
