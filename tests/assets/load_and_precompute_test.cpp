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
  std::string message;
};

// The message with the show's name for the file (gfx\\x.pal) turned into the
// path the user can open in `data`.
std::string WithPath(const std::string& message, const TestDataDirectory& data) {
  const std::size_t from = message.find("data error: ") + std::string("data error: ").size();
  const std::size_t end = message.find(':', from);
  return message.substr(0, from) + data.FilePath(message.substr(from, end - from)).string() + message.substr(end);
}

MeshFileContent MeshWith(void (*change)(MeshFileContent&)) {
  MeshFileContent m = SmallTestMesh();
  change(m);
  return m;
}

TEST(LoadAndPrecompute, NamesTheFirstBadFile) {
  const BadData cases[] = {
      {"missing palette", [](const TestDataDirectory& d) { d.Remove("gfx\\facea.pal"); }, ErrorKind::kNotFound,
       "data error: gfx\\facea.pal: expected a file of 1048 bytes, found none"},
      {"short palette", [](const TestDataDirectory& d) { d.Resize("gfx\\planet.pal", 1047); }, ErrorKind::kMalformed,
       "data error: gfx\\planet.pal: expected 1048 bytes, found 1047"},
      {"long picture", [](const TestDataDirectory& d) { d.Resize("gfx\\clip01.raw", 1180801); }, ErrorKind::kMalformed,
       "data error: gfx\\clip01.raw: expected 1180800 bytes, found 1180801"},
      {"empty picture", [](const TestDataDirectory& d) { d.Resize("gfx\\endscroll.raw", 0); }, ErrorKind::kMalformed,
       "data error: gfx\\endscroll.raw: expected 360000 bytes, found 0"},
      {"first of two faults",
       [](const TestDataDirectory& d) {
         d.Resize("gfx\\greets.raw", 5);
         d.Resize("gfx\\starsky.raw", 5);
       },
       ErrorKind::kMalformed, "data error: gfx\\starsky.raw: expected 262144 bytes, found 5"},
      {"picture read before its palette",
       [](const TestDataDirectory& d) {
         d.Remove("gfx\\planetmap.pal");
         d.Remove("gfx\\planetmap.raw");
       },
       ErrorKind::kNotFound, "data error: gfx\\planetmap.raw: expected a file of 65536 bytes, found none"},
      {"missing mesh", [](const TestDataDirectory& d) { d.Remove("mesh\\zerozev.3df"); }, ErrorKind::kNotFound,
       "data error: mesh\\zerozev.3df: expected a mesh file, found none"},
      {"huge mesh", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 1 << 20); }, ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected at most 409616 bytes, found 1048576"},
      {"tiny mesh", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 15); }, ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected at least 16 bytes, found 15"},
      {"no texture coordinates",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 9; })); },
       ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), "
       "found flags 0x9"},
      {"no attributes",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 0x17; })); },
       ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), "
       "found flags 0x17"},
      {"too many vertices",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.vertexCount = 8193; })); },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: expected at most 8192 vertices, found 8193"},
      {"too many faces",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.faceCount = 65535; })); },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: expected at most 4096 faces, found 65535"},
      {"counts longer than the file",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.faceCount = 5; })); },
       ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected 372 bytes for flags 0xF, 4 vertices and 5 faces, found 320"},
      {"trailing bytes", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 321); }, ErrorKind::kMalformed,
       "data error: mesh\\zerozev.3df: expected 320 bytes for flags 0xF, 4 vertices and 4 faces, found 321"},
      {"corner past the last vertex",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.corners[7] = 16; })); },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: face 2 corner 1: expected a vertex index 0..3, found 4"},
      {"no vertices at all",
       [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) {
           m.vertexCount = 0;
           m.positions.clear();
           m.vertexNormals.clear();
         }));
       },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: face 0 corner 0: expected a vertex index 0..-1, found 0"},
      {"negative corner",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.corners[0] = -4; })); },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: face 0 corner 0: expected a vertex index 0..3, found -1"},
      {"textured face on a missing page",
       [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.attributes[3] = 0x00020013; }));
       },
       ErrorKind::kMalformed, "data error: mesh\\zerozev.3df: face 3: expected texture page 0 or 1, found 2"},
  };
  for (const BadData& bad : cases) {
    SCOPED_TRACE(bad.what);
    TestDataDirectory data;
    bad.breakIt(data);
    const Status loaded = LoadAndPrecompute(data.path());
    EXPECT_EQ(loaded.kind, bad.kind);
    EXPECT_EQ(loaded.message, WithPath(bad.message, data));
  }
  const Status missing = LoadAndPrecompute("/nonexistent/vantrelle");
  EXPECT_EQ(missing.kind, ErrorKind::kNotFound);
  EXPECT_EQ(missing.message, "data error: /nonexistent/vantrelle: expected a data directory, found none");
}

TEST(LoadAndPrecompute, AcceptsWhatTheShowIgnores) {
  TestDataDirectory data;
  // Flag bits above 3 mean nothing; an untextured face may name any page.
  data.WriteMesh(MeshWith([](MeshFileContent& m) {
    m.flags = 0xFFFA;
    m.attributes[2] = 0x000F0002;
  }));
  EXPECT_TRUE(LoadAndPrecompute(data.path()).ok());
  EXPECT_EQ(LoadedMesh[1], 0);  // no vertex normals
  EXPECT_EQ(LoadedMesh[3], 0);
}

}  // namespace
}  // namespace vantrelle
