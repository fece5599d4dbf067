#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "assets/mesh.h"
#include "core/sin_tables.h"
#include "render3d/build_skybox_cube.h"
#include "render3d/render_mesh_scene.h"

namespace vantrelle {
namespace {

constexpr std::uint16_t kOld = 0x5555;  // what the frame held before

// A Mesh record of whole triangles with per-face normal and attribute.
struct TestMesh {
  std::vector<std::array<std::int32_t, 9>> faces;  // three corners x, y, z (16.16)
  std::vector<std::array<std::int32_t, 3>> faceNormals;
  std::vector<std::int32_t> attributes;

  void Add(std::array<std::int32_t, 9> corners, std::array<std::int32_t, 3> normal, std::int32_t attribute) {
    faces.push_back(corners);
    faceNormals.push_back(normal);
    attributes.push_back(attribute);
  }

  std::vector<std::int32_t> Record() const {
    const auto f = static_cast<std::int32_t>(faces.size());
    std::vector<std::int32_t> r = {3 * f, 3 * f, f, f, f, 0, 0, 0};
    for (std::int32_t i = 0; i < f; ++i) r.push_back(i);
    for (const auto& face : faces) r.insert(r.end(), face.begin(), face.end());
    for (const auto& n : faceNormals) {  // every corner normal as the face's
      for (int k = 0; k < 3; ++k) r.insert(r.end(), n.begin(), n.end());
    }
    for (std::int32_t i = 0; i < 3 * f; ++i) r.push_back(i);
    for (std::int32_t i = 0; i < 6 * f; ++i) r.push_back(0);  // u, v
    for (const auto& n : faceNormals) r.insert(r.end(), n.begin(), n.end());
    r.insert(r.end(), attributes.begin(), attributes.end());
    return r;
  }
};

// Two units deep, one unit either side: on screen (1152, -128), (5248, -128),
// (1152, 3968), clockwise, covering the upper-left half of the frame.
constexpr std::array<std::int32_t, 9> kUpperLeft = {-65536, 65536,  131072, 65536, 65536,
                                                    131072, -65536, -65536, 131072};
constexpr int kInside = 100 * 400 + 100;   // pixel (100, 100)
constexpr int kOutside = 200 * 400 + 350;  // pixel (350, 200)

class RenderMeshSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSinCosTables();
    frame_.fill(kOld);
    for (int i = 0; i < 256; ++i) colours_[i] = static_cast<std::uint16_t>(0x8000 + i);
    for (int p = 0; p < 2; ++p)
      std::fill_n(pages_.begin() + 65536 * p, 65536, static_cast<std::uint16_t>(0x1111 * (p + 1)));
    for (int p = 0; p < 6; ++p) std::fill_n(sky_.begin() + 65536 * p, 65536, static_cast<std::uint16_t>(0x0100 + p));
    // A sky of two triangles filling the frame one unit ahead, pages 2 and 3;
    // every other face sits on the eye and is dropped.
    startup::SkyboxMesh = SkyboxGeometry{};
    startup::SkyboxMesh.vertexCount = SkyboxGeometry::kVertices;
    startup::SkyboxMesh.faceCount = SkyboxGeometry::kFaces;
    const std::int32_t quad[12] = {-131072, 131072,  65536, 131072, 131072,  65536,
                                   -131072, -131072, 65536, 131072, -131072, 65536};
    std::copy(quad, quad + 12, startup::SkyboxMesh.vertices.begin());
    for (int f = 0; f < SkyboxGeometry::kFaces; ++f) {
      startup::SkyboxMesh.drawOrder[f] = f;
      for (int k = 0; k < 3; ++k) startup::SkyboxMesh.corners[3 * f + k] = 149;
    }
    const std::int32_t corners[6] = {0, 1, 2, 1, 3, 2};
    std::copy(corners, corners + 6, startup::SkyboxMesh.corners.begin());
    startup::SkyboxMesh.pages[0] = 2;
    startup::SkyboxMesh.pages[1] = 3;
  }

  void Render(const std::vector<std::int32_t>& mesh, MeshBackground background, MeshMode mode,
              const Camera& camera = {}) {
    RenderMeshScene(frame_, camera, mesh.data(), Material(), sky_.data(), background, mode);
  }

  MeshMaterial Material() const {
    return {.pages = pages_.data(), .colours = colours_.data(), .lightMap = lightMap_.data()};
  }

  FrameBuffer frame_{};
  std::array<std::uint16_t, 256> colours_{};
  std::vector<std::uint16_t> pages_ = std::vector<std::uint16_t>(2 * 65536);
  std::vector<std::uint16_t> sky_ = std::vector<std::uint16_t>(6 * 65536);
  std::array<std::uint8_t, 65536> lightMap_{};
};

// One face over the upper-left half, its normal facing the viewer, edge-on
// or away, in each background and mode: colours hold 0x8000 + shade, sky
// page p holds 0x0100 + p, mesh page p holds 0x1111 * (p + 1).
TEST_F(RenderMeshSceneTest, BackgroundsModesAndFlatShades) {
  constexpr std::array<std::int32_t, 3> kFacing = {0, 0, -65536}, kEdgeOn = {65536, 0, 0}, kAway = {0, 0, 65536};
  struct Case {
    std::array<std::int32_t, 3> normal;
    std::int32_t attribute;
    MeshBackground background;
    MeshMode mode;
    std::uint16_t inside, outside;
  };
  const Case cases[] = {
      {kFacing, 3, MeshBackground::kBlack, MeshMode::kFlat, 0x80FF, 0},
      {kFacing, 3, MeshBackground::kKeepFrame, MeshMode::kFlat, 0x80FF, kOld},
      {kFacing, 3, MeshBackground::kSkybox, MeshMode::kFlat, 0x80FF, 0x0103},           // lower-right sky triangle
      {kFacing, 3, MeshBackground::kSkybox, static_cast<MeshMode>(6), 0x0102, 0x0103},  // unknown: the sky alone
      {kEdgeOn, 0, MeshBackground::kKeepFrame, MeshMode::kFlat, 0x8080, kOld},
      {kAway, 0, MeshBackground::kKeepFrame, MeshMode::kFlat, 0x8001, kOld},
      {kFacing, 0x00010002, MeshBackground::kBlack, MeshMode::kPagedTexture, 0, 0},  // only kind 3 is drawn
      {kFacing, 0x00010003, MeshBackground::kBlack, MeshMode::kPagedTexture, 0x2222, 0},
      {kFacing, 0x00010003, MeshBackground::kBlack, MeshMode::kTextured, 0x1111, 0},  // always page 0
      {kFacing, 0, MeshBackground::kBlack, MeshMode::kGouraud, 0x80FF, 0},
      {kEdgeOn, 0, MeshBackground::kBlack, MeshMode::kGouraud, 0x8080, 0},
  };
  for (const Case& c : cases) {
    TestMesh m;
    m.Add(kUpperLeft, c.normal, c.attribute);
    frame_.fill(kOld);
    Render(m.Record(), c.background, c.mode);
    EXPECT_EQ(frame_[kInside], c.inside) << "mode " << static_cast<int>(c.mode) << " attribute " << c.attribute;
    EXPECT_EQ(frame_[kOutside], c.outside) << "mode " << static_cast<int>(c.mode) << " attribute " << c.attribute;
  }
}

// The whole mesh at Z <= 4096 leaves the background alone; the nearer of two
// faces is drawn last; the camera's rotation turns the normal: a quarter turn
// of a brings (0, 1, 0) to (0, 0, -1), facing the viewer, and the triangle,
// placed where the turned camera sees it: (x, y, z) -> (x, z, -y).
TEST_F(RenderMeshSceneTest, DepthCutOffPainterOrderAndCameraTurn) {
  TestMesh m;
  m.Add(kUpperLeft, {0, 0, -65536}, 0);
  Render(m.Record(), MeshBackground::kBlack, MeshMode::kFlat, {.depth = 131072 - 4096});
  for (std::uint16_t p : frame_) ASSERT_EQ(p, 0);

  TestMesh two;
  std::array<std::int32_t, 9> nearer = kUpperLeft;
  for (int k = 2; k < 9; k += 3) nearer[k] = 98304;
  two.Add(nearer, {0, 0, -65536}, 0);     // drawn last, shade 255
  two.Add(kUpperLeft, {65536, 0, 0}, 0);  // farther, shade 128
  Render(two.Record(), MeshBackground::kBlack, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);

  TestMesh up;
  up.Add({-65536, -131072, 65536, 65536, -131072, 65536, -65536, -131072, -65536}, {0, 65536, 0}, 0);
  frame_.fill(kOld);
  Render(up.Record(), MeshBackground::kKeepFrame, MeshMode::kFlat, {.aroundX = 1024});
  EXPECT_EQ(frame_[kInside], colours_[255]);
}

// The modes that map by the vertex normals (not in the show's score). A
// normal's x and y pick the texel (1/16 texel: n / 32 + 2048), so the view
// direction lands on the centre: (0, 0.5, 0) picks column 128, row 192.
TEST_F(RenderMeshSceneTest, VertexNormalModesMapByTheNormals) {
  TestMesh edgeOn, up;
  edgeOn.Add(kUpperLeft, {65536, 0, 0}, 0);
  up.Add(kUpperLeft, {0, 32768, 0}, 0);
  // Texel (column u, row v) of page 0 holds 256 v + u.
  for (int i = 0; i < 65536; ++i) pages_[i] = static_cast<std::uint16_t>(i);
  Render(up.Record(), MeshBackground::kBlack, MeshMode::kNormalMapped);
  EXPECT_EQ(frame_[kInside], 192 * 256 + 128);
  Render(edgeOn.Record(), MeshBackground::kBlack, MeshMode::kNormalMapped);
  EXPECT_EQ(frame_[kInside], 128 * 256 + 0);  // u = 4096 sixteenths wraps to column 0

  // Mode 4: byte texel 7 (corner u, v are 0), light from the light map's
  // entry at the normal's coordinates; table entry texel + 256 * light.
  std::vector<std::uint8_t> bytes(65536, 7);
  std::vector<std::uint8_t> light(65536);
  std::vector<std::uint16_t> table(65536);
  for (int i = 0; i < 65536; ++i) {
    light[i] = static_cast<std::uint8_t>(i >> 8);  // the light map's row
    table[i] = static_cast<std::uint16_t>(i);
  }
  RenderMeshScene(frame_, {}, up.Record().data(),
                  {.indexPages = bytes.data(), .colours = table.data(), .lightMap = light.data()}, sky_.data(),
                  MeshBackground::kBlack, MeshMode::kTexturedLit);
  EXPECT_EQ(frame_[kInside], 7 + 256 * 192);
  EXPECT_EQ(frame_[kOutside], 0);
}

}  // namespace
}  // namespace vantrelle
