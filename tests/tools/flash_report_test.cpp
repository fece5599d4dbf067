#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "testing/test_data_directory.h"
#include "tool_run.h"

namespace vantrelle {
namespace {

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FlashReport, RefusesBadValuesBeforeRendering) {
  struct Case {
    std::string arguments;
    std::string message;
  };
  const std::string field = "vantrelle-render: --flash-field ";
  const std::string range = ": must be an even number of pixels from 8 to 240\n";
  const Case cases[] = {
      {"--flash-report r.txt", "vantrelle-render: --flash-report r.txt: say .json or .csv\n"},
      {"--flash-report r", "vantrelle-render: --flash-report r: say .json or .csv\n"},
      {"--flash-report r.json --flash-field 6", field + "6" + range},
      {"--flash-report r.json --flash-field 81", field + "81" + range},
      {"--flash-report r.json --flash-field 242", field + "242" + range},
      {"--flash-report r.json --flash-field 0", field + "0" + range},
  };
  // No data at all: the values are refused before the data set is looked for.
  for (const Case& c : cases) {
    const ToolRun run = RunTool(RenderTool(), "--data /nonexistent/vantrelle " + c.arguments);
    EXPECT_EQ(run.status, 1) << c.arguments;
    EXPECT_EQ(run.output, c.message) << c.arguments;
  }
  for (const char* arguments :
       {"--flash-report r.json --flash-field x", "--flash-report r.json --flash-field 8.5",
        "--flash-field 80 --at 1 --raw a", "--flash-report r.json --raw a", "--flash-report r.json --png d",
        "--reduce-flashing --at 1 --png d", "--flash-map m --reduce-flashing"}) {
    const ToolRun run = RunTool(RenderTool(), "--data /nonexistent/vantrelle " + std::string(arguments));
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << arguments << ": " << run.output;
  }
}

TEST(FlashReport, WritesJsonAndCsvWhetherTheShowPassesOrNot) {
  TestDataDirectory data;
  const std::filesystem::path json = data.path() / "flash.json";
  const std::filesystem::path csv = data.path() / "flash.csv";
  const std::string range = "--data " + Quoted(data.path()) + " --from 0 --to 3000 --flash-report ";
  const ToolRun run = RunTool(RenderTool(), range + Quoted(json));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find(" of 3 seconds fail (whole screen "), std::string::npos) << run.output;
  const std::string report = Read(json);
  EXPECT_NE(report.find("\"failing_seconds\": ["), std::string::npos);
  EXPECT_NE(report.find("{\"second\": 2, \"screen\": {\"general\": "), std::string::npos);
  ASSERT_EQ(RunTool(RenderTool(), range + Quoted(csv) + " --fps 30 --flash-field 120").status, 0);
  const std::string table = Read(csv);
  EXPECT_EQ(table.substr(0, table.find('\n')),
            "second,screen_general,screen_red,screen_fails,region_general,region_red,region_x,region_y,region_fails");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4);
}

TEST(FlashReport, BrokenDataIsTheUsualError) {
  TestDataDirectory data;
  data.Resize("gfx\\planet.pal", 1047);
  for (const char* extra : {"", " --reduce-flashing"}) {
    const ToolRun run = RunTool(
        RenderTool(), "--data " + Quoted(data.path()) + " --flash-report " + Quoted(data.path() / "r.json") + extra);
    EXPECT_EQ(run.status, 2) << extra;
    EXPECT_EQ(run.output, "vantrelle-render: data error: " + data.FilePath("gfx\\planet.pal").string() +
                              ": expected 1048 bytes, found 1047\n");
  }
}

}  // namespace
}  // namespace vantrelle
