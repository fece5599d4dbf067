#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "assets/load_mesh.h"
#include "assets/load_palette.h"
#include "assets/load_raw.h"
#include "assets/mesh.h"
#include "assets/resolve_data_path.h"
#include "testing/test_data_directory.h"

namespace vantrelle {
namespace {

TEST(ResolveDataPath, JoinsTheGivenDirectoryWithPlatformSeparators) {
  EXPECT_EQ(ResolveDataPath("/Program Files/Show", "gfx\\starsky.raw"),
            std::filesystem::path("/Program Files/Show/gfx/starsky.raw"));
  EXPECT_EQ(ResolveDataPath("/opt/show/", "mesh\\zerozev.3df"), std::filesystem::path("/opt/show/mesh/zerozev.3df"));
}

TEST(LoadPalette, PacksTruncatingRgb565AndIgnoresFlags) {
  TestDataDirectory data;
  std::vector<std::uint8_t> rgb(3 * 256, 0);
  const std::uint8_t entries[][3] = {{255, 255, 255}, {8, 4, 8}, {7, 3, 7}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int i = 0; i < 6; ++i) {
    for (int c = 0; c < 3; ++c) rgb[3 * i + c] = entries[i][c];
  }
  data.WriteFile("gfx\\planet.pal", EncodePalette(rgb));
  Palette565 palette{};
  palette.fill(0x1234);
  ASSERT_TRUE(LoadPalette(data.FilePath("gfx\\planet.pal"), palette).ok());
  const std::uint16_t packed[] = {0xFFFF, 0x0821, 0x0000, 0xF800, 0x07E0, 0x001F};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(palette[i], packed[i]) << i;
  EXPECT_EQ(palette[255], 0x0000);
}

TEST(LoadRaw, ReadsWholeFilesThatFit) {
  TestDataDirectory data;
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
  data.WriteFile("gfx\\starsky.raw", bytes);
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(LoadRaw(data.FilePath("gfx\\starsky.raw"), buffer).value(), 5u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 0, 0, 0}));
  std::array<std::uint8_t, 4> small{};
  EXPECT_EQ(LoadRaw(data.FilePath("gfx\\starsky.raw"), small).status().kind, ErrorKind::kMalformed);
  EXPECT_EQ(small, (std::array<std::uint8_t, 4>{}));
  EXPECT_EQ(LoadRaw(data.path() / "none.raw", buffer).status().kind, ErrorKind::kNotFound);
  EXPECT_EQ(LoadRaw(data.path() / "gfx", buffer).status().kind, ErrorKind::kNotFound);  // a directory is no picture
  EXPECT_EQ(DataFileSize(data.FilePath("gfx\\starsky.raw")).value(), 5u);
  EXPECT_EQ(DataFileSize(data.path() / "none.raw").status().kind, ErrorKind::kNotFound);
}

// One vertex at (1, 2, 3) and two faces, every block recognisable.
MeshFileContent MeshWithFlags(std::uint16_t flags) {
  MeshFileContent m;
  m.flags = flags;
  m.vertexCount = 2;
  m.faceCount = 2;
  m.positions = {1, 2, 3, 4, 5, 6};
  m.vertexNormals = {7, 8, 9, 10, 11, -2147483647 - 1};
  m.corners = {0, 4, 20, -1, 4, 0};
  m.u = {0x123, 0x10, -0x10, 0, 0x1000, 0xFFF};
  m.v = {0x123, 0x10, -0x10, 0, 0x1000, 0xFFF};
  m.faceNormals = {13, 14, 15, 16, 17, 18};
  m.attributes = {0x00010003, -1};
  return m;
}

TEST(LoadMesh, EveryFlagCombinationPacksItsBlocks) {
  TestDataDirectory data;
  for (std::uint16_t flags = 0; flags < 32; ++flags) {
    SCOPED_TRACE(flags);
    const MeshFileContent m = MeshWithFlags(flags);
    data.WriteMesh(m);
    std::vector<std::int32_t> record(256, 0);
    const std::size_t words = LoadMesh(data.FilePath("mesh\\zerozev.3df"), record).value();
    const bool normals = flags & 1, uv = flags & 2, faceNormals = flags & 4, attributes = flags & 8;
    EXPECT_EQ(words, 8u + 2 + 6 + (normals ? 6 : 0) + 6 + (uv ? 12 : 0) + (faceNormals ? 6 : 0) + (attributes ? 2 : 0));
    const auto block = [&](std::size_t at, std::size_t n = 6) {
      return std::vector<std::int32_t>(&record[at], &record[at] + n);
    };
    // Counts: vertices, vertex normals, faces, face normals, faces with u and v.
    EXPECT_EQ(block(0, 5), (std::vector<std::int32_t>{2, normals ? 2 : 0, 2, faceNormals ? 2 : 0, uv ? 2 : 0}));
    const MeshLayout layout = LayoutOfMesh(record.data());
    EXPECT_EQ(block(layout.drawOrder, 2), (std::vector<std::int32_t>{0, 1}));
    // Axis switch: (x, y, z) -> (x, z, -y); corners >> 2; u / 16, v / -16.
    EXPECT_EQ(block(layout.positions), (std::vector<std::int32_t>{1, 3, -2, 4, 6, -5}));
    EXPECT_EQ(block(layout.corners), (std::vector<std::int32_t>{0, 1, 5, -1, 1, 0}));
    if (normals) {
      EXPECT_EQ(block(layout.vertexNormals), (std::vector<std::int32_t>{7, 9, -8, 10, -2147483647 - 1, -11}));
    }
    if (uv) {
      EXPECT_EQ(block(layout.cornerU), (std::vector<std::int32_t>{0x12, 1, -1, 0, 0x100, 0xFF}));
      EXPECT_EQ(block(layout.cornerV), (std::vector<std::int32_t>{-0x12, -1, 1, 0, -0x100, -0xFF}));
    }
    if (faceNormals) {
      EXPECT_EQ(block(layout.faceNormals), (std::vector<std::int32_t>{13, 15, -14, 16, 18, -17}));
    }
    if (attributes) {
      EXPECT_EQ(block(layout.faceAttributes, 2), (std::vector<std::int32_t>{0x00010003, -1}));
    }
    EXPECT_EQ(record[5], 0);  // reserved words untouched
    EXPECT_EQ(record[words], 0);
  }
}

TEST(LoadMesh, AxisSwitchOffAndFlagsZero) {
  const std::vector<std::uint8_t> file = EncodeMeshFile(MeshWithFlags(0));
  std::vector<std::int32_t> record(64, 0);
  EXPECT_EQ(ConvertMeshFile(file, record, false).value(), 8u + 2 + 6 + 6);
  // No optional block: the positions are followed directly by the corners.
  EXPECT_EQ(std::vector<std::int32_t>(record.begin(), record.begin() + 22),
            (std::vector<std::int32_t>{2, 0, 2, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4, 5, 6, 0, 1, 5, -1, 1, 0}));
}

TEST(LoadMesh, RefusesShortFilesAndRecordsThatDoNotFit) {
  std::vector<std::uint8_t> file = EncodeMeshFile(MeshWithFlags(15));
  std::vector<std::int32_t> record(64, 0);
  file.pop_back();
  EXPECT_EQ(ConvertMeshFile(file, record, true).status().kind, ErrorKind::kMalformed);
  EXPECT_EQ(ConvertMeshFile(std::span(file).first(15), record, true).status().kind, ErrorKind::kMalformed);
  file = EncodeMeshFile(MeshWithFlags(15));
  std::vector<std::int32_t> tight(8 + 2 + 6 + 6 + 6 + 12 + 6 + 2, 0);
  EXPECT_EQ(ConvertMeshFile(file, tight, true).value(), tight.size());
  tight.pop_back();
  std::fill(tight.begin(), tight.end(), 0);
  EXPECT_EQ(ConvertMeshFile(file, tight, true).status().kind, ErrorKind::kMalformed);
  EXPECT_EQ(tight[0], 0);
  TestDataDirectory data;
  data.Remove("mesh\\zerozev.3df");
  EXPECT_EQ(LoadMesh(data.FilePath("mesh\\zerozev.3df"), record).status().kind, ErrorKind::kNotFound);
}

}  // namespace
}  // namespace vantrelle
