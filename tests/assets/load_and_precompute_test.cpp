#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/asset_buffers.h"
#include "testing/test_data_directory.h"
#include "timeline/load_and_precompute.h"

namespace vantrelle {
namespace {

// What start-up loads into which buffer is pinned by the whole-show hashes;
// here, what it says about each kind of bad data directory.
struct BadData {
  const char* what;
  void (*breakIt)(const TestDataDirectory&);
  ErrorKind kind;
  const char* file;  // named in the message by its path in the directory
  const char* problem;
};

MeshFileContent MeshWith(void (*change)(MeshFileContent&)) {
  MeshFileContent m = SmallTestMesh();
  change(m);
  return m;
}

TEST(LoadAndPrecompute, NamesTheFirstBadFile) {
  const BadData cases[] = {
      {"missing palette", [](auto& d) { d.Remove("gfx\\facea.pal"); }, ErrorKind::kNotFound, "gfx\\facea.pal",
       "expected a file of 1048 bytes, found none"},
      {"short palette", [](auto& d) { d.Resize("gfx\\planet.pal", 1047); }, ErrorKind::kMalformed, "gfx\\planet.pal",
       "expected 1048 bytes, found 1047"},
      {"long picture", [](auto& d) { d.Resize("gfx\\clip01.raw", 1180801); }, ErrorKind::kMalformed, "gfx\\clip01.raw",
       "expected 1180800 bytes, found 1180801"},
      {"empty picture", [](auto& d) { d.Resize("gfx\\endscroll.raw", 0); }, ErrorKind::kMalformed, "gfx\\endscroll.raw",
       "expected 360000 bytes, found 0"},
      {"first of two faults",
       [](auto& d) {
         d.Resize("gfx\\greets.raw", 5);
         d.Resize("gfx\\starsky.raw", 5);
       },
       ErrorKind::kMalformed, "gfx\\starsky.raw", "expected 262144 bytes, found 5"},
      {"picture read before its palette",
       [](auto& d) {
         d.Remove("gfx\\planetmap.pal");
         d.Remove("gfx\\planetmap.raw");
       },
       ErrorKind::kNotFound, "gfx\\planetmap.raw", "expected a file of 65536 bytes, found none"},
      {"missing mesh", [](auto& d) { d.Remove("mesh\\zerozev.3df"); }, ErrorKind::kNotFound, "mesh\\zerozev.3df",
       "expected a mesh file, found none"},
      {"huge mesh", [](auto& d) { d.Resize("mesh\\zerozev.3df", 1 << 20); }, ErrorKind::kMalformed, "mesh\\zerozev.3df",
       "expected at most 409616 bytes, found 1048576"},
      {"tiny mesh", [](auto& d) { d.Resize("mesh\\zerozev.3df", 15); }, ErrorKind::kMalformed, "mesh\\zerozev.3df",
       "expected at least 16 bytes, found 15"},
      {"no texture coordinates", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.flags = 9; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df",
       "expected flag bits 1 and 3 set (texture coordinates and attributes), found flags 0x9"},
      {"no attributes", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.flags = 0x17; })); }, ErrorKind::kMalformed,
       "mesh\\zerozev.3df", "expected flag bits 1 and 3 set (texture coordinates and attributes), found flags 0x17"},
      {"too many vertices", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.vertexCount = 8193; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df", "expected at most 8192 vertices, found 8193"},
      {"too many faces", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.faceCount = 65535; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df", "expected at most 4096 faces, found 65535"},
      {"counts longer than the file", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.faceCount = 5; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df",
       "expected 372 bytes for flags 0xF, 4 vertices and 5 faces, found 320"},
      {"trailing bytes", [](auto& d) { d.Resize("mesh\\zerozev.3df", 321); }, ErrorKind::kMalformed,
       "mesh\\zerozev.3df", "expected 320 bytes for flags 0xF, 4 vertices and 4 faces, found 321"},
      {"corner past the last vertex", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.corners[7] = 16; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df", "face 2 corner 1: expected a vertex index 0..3, found 4"},
      {"no vertices at all",
       [](auto& d) {
         d.WriteMesh(MeshWith([](auto& m) {
           m.vertexCount = 0;
           m.positions.clear();
           m.vertexNormals.clear();
         }));
       },
       ErrorKind::kMalformed, "mesh\\zerozev.3df", "face 0 corner 0: expected a vertex index 0..-1, found 0"},
      {"negative corner", [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.corners[0] = -4; })); },
       ErrorKind::kMalformed, "mesh\\zerozev.3df", "face 0 corner 0: expected a vertex index 0..3, found -1"},
      {"textured face on a missing page",
       [](auto& d) { d.WriteMesh(MeshWith([](auto& m) { m.attributes[3] = 0x00020013; })); }, ErrorKind::kMalformed,
       "mesh\\zerozev.3df", "face 3: expected texture page 0 or 1, found 2"},
  };
  for (const BadData& bad : cases) {
    SCOPED_TRACE(bad.what);
    TestDataDirectory data;
    bad.breakIt(data);
    const Status loaded = LoadAndPrecompute(data.path());
    EXPECT_EQ(loaded.kind, bad.kind);
    EXPECT_EQ(loaded.message, "data error: " + data.FilePath(bad.file).string() + ": " + bad.problem);
  }
  const Status missing = LoadAndPrecompute("/nonexistent/vantrelle");
  EXPECT_EQ(missing.kind, ErrorKind::kNotFound);
  EXPECT_EQ(missing.message, "data error: /nonexistent/vantrelle: expected a data directory, found none");
}

TEST(LoadAndPrecompute, AcceptsWhatTheShowIgnores) {
  TestDataDirectory data;
  // Flag bits above 3 mean nothing; an untextured face may name any page.
  data.WriteMesh(MeshWith([](auto& m) {
    m.flags = 0xFFFA;
    m.attributes[2] = 0x000F0002;
  }));
  EXPECT_TRUE(LoadAndPrecompute(data.path()).ok());
  EXPECT_EQ(LoadedMesh[1], 0);  // no vertex normals
  EXPECT_EQ(LoadedMesh[3], 0);
}

}  // namespace
}  // namespace vantrelle
