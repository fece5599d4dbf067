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
              std::int32_t cameraDepth = 0) {
    RenderMeshScene(frame_, {.depth = cameraDepth}, mesh.data(), Material(), sky_.data(), background, mode);
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

TEST_F(RenderMeshSceneTest, BackgroundsClearKeepOrDrawTheSky) {
  TestMesh m;
  m.Add(kUpperLeft, {0, 0, -65536}, 3);
  const auto mesh = m.Record();
  Render(mesh, MeshBackground::kBlack, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
  EXPECT_EQ(frame_[kOutside], 0);

  frame_.fill(kOld);
  Render(mesh, MeshBackground::kKeepFrame, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
  EXPECT_EQ(frame_[kOutside], kOld);

  frame_.fill(kOld);
  Render(mesh, MeshBackground::kSkybox, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
  EXPECT_EQ(frame_[kOutside], sky_[3 * 65536]);  // lower-right sky triangle, page 3

  // Unknown mode: the sky and nothing else.
  frame_.fill(kOld);
  Render(mesh, MeshBackground::kSkybox, static_cast<MeshMode>(6));
  EXPECT_EQ(frame_[kInside], sky_[2 * 65536]);
  EXPECT_EQ(frame_[kOutside], sky_[3 * 65536]);

  // The whole mesh at Z <= 4096: background only.
  frame_.fill(kOld);
  Render(mesh, MeshBackground::kBlack, MeshMode::kFlat, 131072 - 4096);
  for (std::uint16_t p : frame_) ASSERT_EQ(p, 0);
}

TEST_F(RenderMeshSceneTest, FlatShadeFollowsTheRotatedFaceNormal) {
  TestMesh facing, edgeOn, away;
  facing.Add(kUpperLeft, {0, 0, -65536}, 0);
  edgeOn.Add(kUpperLeft, {65536, 0, 0}, 0);
  away.Add(kUpperLeft, {0, 0, 65536}, 0);
  Render(facing.Record(), MeshBackground::kKeepFrame, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
  Render(edgeOn.Record(), MeshBackground::kKeepFrame, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[128]);
  Render(away.Record(), MeshBackground::kKeepFrame, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[1]);

  // The camera's rotation turns the normal: a quarter turn of a brings
  // (0, 1, 0) to (0, 0, -1), facing the viewer. The triangle turns too, so
  // it is placed where the turned camera sees it: (x, y, z) -> (x, z, -y).
  TestMesh up;
  up.Add({-65536, -131072, 65536, 65536, -131072, 65536, -65536, -131072, -65536}, {0, 65536, 0}, 0);
  frame_.fill(kOld);
  RenderMeshScene(frame_, {.aroundX = 1024}, up.Record().data(), Material(), sky_.data(), MeshBackground::kKeepFrame,
                  MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
}

TEST_F(RenderMeshSceneTest, PagedTextureDrawsOnlyKindThreeFromItsPage) {
  TestMesh other, kind3;
  other.Add(kUpperLeft, {0, 0, -65536}, 0x00010002);
  kind3.Add(kUpperLeft, {0, 0, -65536}, 0x00010003);
  Render(other.Record(), MeshBackground::kBlack, MeshMode::kPagedTexture);
  for (std::uint16_t p : frame_) ASSERT_EQ(p, 0);
  Render(kind3.Record(), MeshBackground::kBlack, MeshMode::kPagedTexture);
  EXPECT_EQ(frame_[kInside], 0x2222);  // page 1
  EXPECT_EQ(frame_[kOutside], 0);

  // Mode 3 always reads page 0.
  Render(kind3.Record(), MeshBackground::kBlack, MeshMode::kTextured);
  EXPECT_EQ(frame_[kInside], 0x1111);
}

TEST_F(RenderMeshSceneTest, PainterOrderDrawsTheNearerFaceLast) {
  TestMesh m;
  std::array<std::int32_t, 9> nearer = kUpperLeft;
  for (int k = 2; k < 9; k += 3) nearer[k] = 98304;
  m.Add(nearer, {0, 0, -65536}, 0);     // drawn last, shade 255
  m.Add(kUpperLeft, {65536, 0, 0}, 0);  // farther, shade 128
  Render(m.Record(), MeshBackground::kBlack, MeshMode::kFlat);
  EXPECT_EQ(frame_[kInside], colours_[255]);
}

// The modes the show's score does not use, through their vertex normals. A
// normal's x and y pick the texel (1/16 texel: n / 32 + 2048), so the view
// direction lands on the centre: (0, 0.5, 0) picks column 128, row 192.
TEST_F(RenderMeshSceneTest, VertexNormalModesShadeAndMapByTheNormals) {
  TestMesh facing, edgeOn, up;
  facing.Add(kUpperLeft, {0, 0, -65536}, 0);
  edgeOn.Add(kUpperLeft, {65536, 0, 0}, 0);
  up.Add(kUpperLeft, {0, 32768, 0}, 0);
  Render(facing.Record(), MeshBackground::kBlack, MeshMode::kGouraud);
  EXPECT_EQ(frame_[kInside], colours_[255]);
  Render(edgeOn.Record(), MeshBackground::kBlack, MeshMode::kGouraud);
  EXPECT_EQ(frame_[kInside], colours_[128]);

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
