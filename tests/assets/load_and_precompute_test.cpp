#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/asset_buffers.h"
#include "assets/effect_tables.h"
#include "assets/keyframe_tracks.h"
#include "assets/mesh.h"
#include "assets/precomputed_tables.h"
#include "core/sin_tables.h"
#include "testing/test_data_directory.h"
#include "timeline/load_and_precompute.h"

namespace vantrelle {
namespace {

std::uint16_t PaletteEntry(std::string_view paletteName, std::uint8_t index) {
  const std::vector<std::uint8_t> pal = TestFileContent(paletteName, 1048);
  const std::uint8_t* e = pal.data() + 24 + 4 * index;
  return static_cast<std::uint16_t>(((e[0] >> 3) << 11) | ((e[1] >> 2) << 5) | (e[2] >> 3));
}

TEST(LoadAndPrecompute, FillsEveryBufferFromTheDataDirectory) {
  TestDataDirectory data;
  ASSERT_EQ(LoadAndPrecompute(data.path()), "");
  EXPECT_EQ(SinTable[1024], 65536);
  const auto endRaw = TestFileContent("gfx\\endtexture.raw", 131072);
  EXPECT_EQ(EndTexture[131071], PaletteEntry("gfx\\endtexture.pal", endRaw[131071]));
  const auto faceC = TestFileContent("gfx\\facec.raw", 33600);
  EXPECT_EQ(FaceCPicture[100], PaletteEntry("gfx\\facec.pal", faceC[100]));
  EXPECT_EQ(FaceDAlpha[33599], TestFileContent("gfx\\facedalpha.raw", 33600)[33599]);
  const auto sky = TestFileContent("gfx\\planetskybox.raw", 393216);
  EXPECT_EQ(PlanetSkybox[393215], PaletteEntry("gfx\\planetskybox.pal", sky[393215]));
  const auto radial = TestFileContent("gfx\\radialtexture.raw", 65536);
  EXPECT_EQ(RadialTexture[777], PaletteEntry("gfx\\radialtexture.pal", radial[777]));
  const auto map = TestFileContent("gfx\\planetmap.raw", 65536);
  EXPECT_EQ(PlanetMapTexture[65535], PaletteEntry("gfx\\planetmap.pal", map[65535]));
  EXPECT_EQ(PlanetMapPalette[9], PaletteEntry("gfx\\planetmap.pal", 9));
  EXPECT_EQ(ClipFrames[1180799], TestFileContent("gfx\\clip01.raw", 1180800)[1180799]);
  EXPECT_EQ(ClipFrames[1180800], 0);
  EXPECT_EQ(EndScrollAlpha[359999], TestFileContent("gfx\\endscroll.raw", 360000)[359999]);
  const auto planet = TestFileContent("gfx\\planet.raw", 65536);
  EXPECT_EQ(PlanetColours[5], PaletteEntry("gfx\\planet.pal", planet[5]));
  EXPECT_EQ(GreetsPages[28800], TestFileContent("gfx\\greets.raw", 576000)[0]);
  EXPECT_EQ(XorTexture()[0x0102], 3);
  EXPECT_EQ(TrackA[0], (TrackSample{0, 0, 0, 3840, 224, 0}));
  EXPECT_EQ(SkyboxMesh.faceCount, 192);
  EXPECT_EQ(LoadedMesh[0], 4);
  EXPECT_EQ(LoadedMesh[2], 4);
  EXPECT_EQ(LoadedMesh[LayoutOfMesh(LoadedMesh.data()).faceAttributes + 1], 0x00010003);
}

struct BadData {
  const char* what;
  void (*breakIt)(const TestDataDirectory&);
  std::string message;
};

MeshFileContent MeshWith(void (*change)(MeshFileContent&)) {
  MeshFileContent m = SmallTestMesh();
  change(m);
  return m;
}

TEST(LoadAndPrecompute, NamesTheFirstBadFile) {
  const BadData cases[] = {
      {"missing palette", [](const TestDataDirectory& d) { d.Remove("gfx\\facea.pal"); },
       "data error: gfx\\facea.pal: expected a file of 1048 bytes, found none"},
      {"short palette", [](const TestDataDirectory& d) { d.Resize("gfx\\planet.pal", 1047); },
       "data error: gfx\\planet.pal: expected 1048 bytes, found 1047"},
      {"long picture", [](const TestDataDirectory& d) { d.Resize("gfx\\clip01.raw", 1180801); },
       "data error: gfx\\clip01.raw: expected 1180800 bytes, found 1180801"},
      {"empty picture", [](const TestDataDirectory& d) { d.Resize("gfx\\endscroll.raw", 0); },
       "data error: gfx\\endscroll.raw: expected 360000 bytes, found 0"},
      {"first of two faults", [](const TestDataDirectory& d) {
         d.Resize("gfx\\greets.raw", 5);
         d.Resize("gfx\\starsky.raw", 5);
       },
       "data error: gfx\\starsky.raw: expected 262144 bytes, found 5"},
      {"missing mesh", [](const TestDataDirectory& d) { d.Remove("mesh\\zerozev.3df"); },
       "data error: mesh\\zerozev.3df: expected a mesh file, found none"},
      {"huge mesh", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 1 << 20); },
       "data error: mesh\\zerozev.3df: expected at most 409616 bytes, found 1048576"},
      {"tiny mesh", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 15); },
       "data error: mesh\\zerozev.3df: expected at least 16 bytes, found 15"},
      {"no texture coordinates", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 9; }));
       },
       "data error: mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), "
       "found flags 0x9"},
      {"no attributes", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 0x17; }));
       },
       "data error: mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), "
       "found flags 0x17"},
      {"too many vertices", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.vertexCount = 8193; }));
       },
       "data error: mesh\\zerozev.3df: expected at most 8192 vertices, found 8193"},
      {"too many faces", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.faceCount = 65535; }));
       },
       "data error: mesh\\zerozev.3df: expected at most 4096 faces, found 65535"},
      {"counts longer than the file", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.faceCount = 5; }));
       },
       "data error: mesh\\zerozev.3df: expected 372 bytes for flags 0xF, 4 vertices and 5 faces, found 320"},
      {"trailing bytes", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 321); },
       "data error: mesh\\zerozev.3df: expected 320 bytes for flags 0xF, 4 vertices and 4 faces, found 321"},
      {"corner past the last vertex", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.corners[7] = 16; }));
       },
       "data error: mesh\\zerozev.3df: face 2 corner 1: expected a vertex index 0..3, found 4"},
      {"negative corner", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.corners[0] = -4; }));
       },
       "data error: mesh\\zerozev.3df: face 0 corner 0: expected a vertex index 0..3, found -1"},
      {"textured face on a missing page", [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.attributes[3] = 0x00020013; }));
       },
       "data error: mesh\\zerozev.3df: face 3: expected texture page 0 or 1, found 2"},
  };
  for (const BadData& bad : cases) {
    SCOPED_TRACE(bad.what);
    TestDataDirectory data;
    bad.breakIt(data);
    EXPECT_EQ(LoadAndPrecompute(data.path()), bad.message);
  }
  const std::string missing = LoadAndPrecompute("/nonexistent/vantrelle");
  EXPECT_EQ(missing, "data error: /nonexistent/vantrelle: expected a data directory, found none");
}

TEST(LoadAndPrecompute, AcceptsWhatTheShowIgnores) {
  TestDataDirectory data;
  // Flag bits above 3 mean nothing; an untextured face may name any page.
  data.WriteMesh(MeshWith([](MeshFileContent& m) {
    m.flags = 0xFFFA;
    m.attributes[2] = 0x000F0002;
  }));
  EXPECT_EQ(LoadAndPrecompute(data.path()), "");
  EXPECT_EQ(LoadedMesh[1], 0);  // no vertex normals
  EXPECT_EQ(LoadedMesh[3], 0);
}

}  // namespace
}  // namespace vantrelle
