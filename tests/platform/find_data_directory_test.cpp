#include "platform/find_data_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vantrelle::platform {
namespace {

namespace fs = std::filesystem;

// An install tree in a fresh folder: prefix/bin is the executable's directory;
// each case lays data folders out beside it and in prefix/share/vantrelle.
TEST(FindDataDirectory, LooksInGivenThenBesideThenShareAndNamesEveryPlaceWhenNoneHasIt) {
  const fs::path prefix = fs::temp_directory_path() / ("vantrelle-find-data-" + std::to_string(getpid()));
  const fs::path bin = prefix / "bin";
  const fs::path share = prefix / "share" / "vantrelle";
  struct Case {
    const char* name;
    std::string given;
    std::vector<fs::path> folders;  // made before the search
    fs::path expected;              // empty: not found
  };
  const std::vector<Case> cases = {
      {"--data wins, as it is, even if missing", "/nowhere", {bin / "gfx", bin / "mesh"}, "/nowhere"},
      {"beside the executable", "", {bin / "gfx", bin / "mesh", share / "gfx", share / "mesh"}, bin},
      {"installed under the prefix", "", {bin, share / "gfx", share / "mesh"}, share},
      {"gfx/ alone is no data set", "", {bin / "gfx", share / "gfx", share / "mesh"}, share},
      {"nowhere", "", {bin / "gfx", share / "mesh"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(prefix);
    for (const fs::path& folder : c.folders) {
      fs::create_directories(folder);
    }
    const Result<fs::path> found = FindDataDirectory(c.given, bin);
    EXPECT_EQ(found.ok(), !c.expected.empty());
    if (found.ok()) {
      EXPECT_EQ(found.value(), c.expected);
    } else {
      EXPECT_EQ(found.status().kind, ErrorKind::kNotFound);
      const std::string& error = found.status().message;
      EXPECT_NE(error.find(bin.string()), std::string::npos) << error;
      EXPECT_NE(error.find(share.string()), std::string::npos) << error;
      EXPECT_NE(error.find("--data"), std::string::npos) << error;
    }
  }
  fs::remove_all(prefix);
  const Result<fs::path> nowhere = FindDataDirectory("", "");
  EXPECT_EQ(nowhere.status().kind, ErrorKind::kNotFound);
  EXPECT_NE(nowhere.status().message.find("--data"), std::string::npos) << nowhere.status().message;
}

}  // namespace
}  // namespace vantrelle::platform
