// Generating again gives the very same bytes: a second run of the tool into a
// fresh folder matches the set the build made, file for file.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "assets/resolve_data_path.h"
#include "generated_files.h"
#include "tool_run.h"
#include "tools/datagen/lib/data_set.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratedDeterminism, ASecondRunWritesIdenticalBytes) {
  const testing::ScratchFolder again;
  const ToolRun run = RunTool(testing::GeneratedFolder() / "vantrelle-datagen", Quoted(again.path()));
  ASSERT_EQ(run.status, 0) << run.output;
  std::vector<std::string_view> names = {kSoundtrackFileName};
  for (const vantrelle::DataFile& e : kDataFiles) names.push_back(e.name);
  for (std::string_view name : names) {
    const auto first = testing::ReadGenerated(name);
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == testing::ReadFile(ResolveDataPath(again.path(), name))) << name << " differs between runs";
  }
}

}  // namespace
}  // namespace vantrelle::datagen
