// Generating again gives the very same bytes: a second run of the tool into a
// fresh folder matches the set the build made, file for file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "assets/resolve_data_path.h"
#include "generated_files.h"
#include "tools/datagen/lib/data_set.h"

namespace vantrelle::datagen {
namespace {

std::vector<std::string> AllNames() {
  std::vector<std::string> names;
  for (const vantrelle::DataFile& e : kDataFiles) names.emplace_back(e.name);
  names.emplace_back(kSoundtrackFileName);
  return names;
}

TEST(GeneratedDeterminism, ASecondRunWritesIdenticalBytes) {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-datagen-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path again = pattern;
  const std::filesystem::path tool = testing::GeneratedFolder() / "vantrelle-datagen";
  std::ostringstream command;
  command << '"' << tool.string() << "\" \"" << again.string() << "\" > /dev/null";
  ASSERT_EQ(std::system(command.str().c_str()), 0) << command.str();
  for (const std::string& name : AllNames()) {
    const auto first = testing::ReadGenerated(name);
    const auto second = testing::ReadFile(ResolveDataPath(again, name));
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == second) << name << " differs between runs";
  }
  std::filesystem::remove_all(again);
}

}  // namespace
}  // namespace vantrelle::datagen
