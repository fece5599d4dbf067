// Malformed data directories, each made from a valid one, given to
// vantrelle-render: every fault ends with its one-line message and status 2,
// never a crash (in the sanitizer build, never a report either).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "support/test_data_directory.h"

namespace vantrelle {
namespace {

struct Outcome {
  int status = -1;
  std::string output;
};

Outcome RenderOneFrame(const TestDataDirectory& data) {
  const char* bin = std::getenv("VANTRELLE_BIN");
  const std::filesystem::path tool = std::filesystem::path(bin != nullptr ? bin : "build/bin") / "vantrelle-render";
  std::string command = "'";
  command += tool.string();
  command += "' --data '";
  command += data.path().string();
  command += "' --times 0,100000,200000 --raw /dev/null 2>&1";
  Outcome outcome;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return outcome;
  }
  char chunk[4096];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
    outcome.output.append(chunk, n);
  }
  const int raw = pclose(pipe);
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return outcome;
}

// The message with the show's name for the file (gfx\\x.pal) turned into the
// path the user can open in `data`.
std::string WithPath(const std::string& message, const TestDataDirectory& data) {
  const std::size_t from = message.find("data error: ") + std::string("data error: ").size();
  const std::size_t end = message.find(':', from);
  return message.substr(0, from) + data.FilePath(message.substr(from, end - from)).string() + message.substr(end);
}

MeshFileContent MeshWith(const std::function<void(MeshFileContent&)>& change) {
  MeshFileContent m = SmallTestMesh();
  change(m);
  return m;
}

struct BadDirectory {
  const char* what;
  std::function<void(const TestDataDirectory&)> breakIt;
  const char* message;  // after "vantrelle-render: data error: "
};

TEST(BadDataDirectories, EachFaultIsNamedWithStatusTwo) {
  const BadDirectory cases[] = {
      {"missing picture", [](const TestDataDirectory& d) { d.Remove("gfx\\credits.raw"); },
       "gfx\\credits.raw: expected a file of 384000 bytes, found none"},
      {"empty palette", [](const TestDataDirectory& d) { d.Resize("gfx\\endtexture.pal", 0); },
       "gfx\\endtexture.pal: expected 1048 bytes, found 0"},
      {"palette one byte long", [](const TestDataDirectory& d) { d.Resize("gfx\\radialtexture.pal", 1049); },
       "gfx\\radialtexture.pal: expected 1048 bytes, found 1049"},
      {"picture one byte short", [](const TestDataDirectory& d) { d.Resize("gfx\\faceaalpha.raw", 33599); },
       "gfx\\faceaalpha.raw: expected 33600 bytes, found 33599"},
      {"empty mesh", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 0); },
       "mesh\\zerozev.3df: expected at least 16 bytes, found 0"},
      {"mesh one byte short", [](const TestDataDirectory& d) { d.Resize("mesh\\zerozev.3df", 319); },
       "mesh\\zerozev.3df: expected 320 bytes for flags 0xF, 4 vertices and 4 faces, found 319"},
      {"mesh without flag bit 1",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 0xD; })); },
       "mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), found flags 0xD"},
      {"mesh without flag bit 3",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.flags = 0x7; })); },
       "mesh\\zerozev.3df: expected flag bits 1 and 3 set (texture coordinates and attributes), found flags 0x7"},
      {"fewer faces than the blocks hold",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.faceCount = 3; })); },
       "mesh\\zerozev.3df: expected 268 bytes for flags 0xF, 4 vertices and 3 faces, found 320"},
      {"more vertices than the blocks hold",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.vertexCount = 5; })); },
       "mesh\\zerozev.3df: expected 344 bytes for flags 0xF, 5 vertices and 4 faces, found 320"},
      {"no vertices at all",
       [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) {
           m.vertexCount = 0;
           m.positions.clear();
           m.vertexNormals.clear();
         }));
       },
       "mesh\\zerozev.3df: face 0 corner 0: expected a vertex index 0..-1, found 0"},
      {"corner past the last vertex",
       [](const TestDataDirectory& d) { d.WriteMesh(MeshWith([](MeshFileContent& m) { m.corners[4] = 400; })); },
       "mesh\\zerozev.3df: face 1 corner 1: expected a vertex index 0..3, found 100"},
      {"textured face on a missing page",
       [](const TestDataDirectory& d) {
         d.WriteMesh(MeshWith([](MeshFileContent& m) { m.attributes[1] = 0x00070003; }));
       },
       "mesh\\zerozev.3df: face 1: expected texture page 0 or 1, found 7"},
  };
  for (const BadDirectory& bad : cases) {
    SCOPED_TRACE(bad.what);
    TestDataDirectory data;
    bad.breakIt(data);
    const Outcome outcome = RenderOneFrame(data);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.output, WithPath("vantrelle-render: data error: " + std::string(bad.message), data) + "\n");
  }
}

// Unreadable for anyone but root: as root, the tool runs as nobody.
TEST(BadDataDirectories, AnUnreadableFileSaysWhy) {
  TestDataDirectory data;
  std::filesystem::permissions(data.path(), std::filesystem::perms::all);
  std::filesystem::permissions(data.FilePath("gfx\\planet.raw"), std::filesystem::perms::none);
  const char* bin = std::getenv("VANTRELLE_BIN");
  const std::string tool = (std::filesystem::path(bin != nullptr ? bin : "build/bin") / "vantrelle-render").string();
  const std::string as = geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
  const std::string command = as + "'" + tool + "' --data '" + data.path().string() + "' --at 0 --raw - 2>&1 >/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[512] = {};
  const bool said = std::fgets(line, sizeof line, pipe) != nullptr;
  const int status = pclose(pipe);
  ASSERT_TRUE(said);
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(std::string(line), "vantrelle-render: data error: " + data.FilePath("gfx\\planet.raw").string() +
                                   ": cannot be read: Permission denied\n");
}

}  // namespace
}  // namespace vantrelle
