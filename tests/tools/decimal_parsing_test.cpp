// Numbers on the command line are decimal, leading zeros included: the tool's
// own PNG names are zero-padded times. Anything else is refused in one line
// that names the option.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testing/test_data_directory.h"
#include "tool_run.h"

namespace vantrelle {
namespace {

std::filesystem::path ShowProgram() { return RenderTool().parent_path() / "vantrelle"; }

std::string ReadAll(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

TEST(DecimalParsing, LeadingZerosAreDecimalAndOddNumbersAreRefused) {
  TestDataDirectory data;
  const std::string withData = "--data " + Quoted(data.path()) + " ";
  const std::filesystem::path a = data.path() / "a.raw", b = data.path() / "b.raw";
  ASSERT_EQ(RunTool(RenderTool(), withData + "--times 044500,059136,00 --raw " + Quoted(a)).status, 0);
  ASSERT_EQ(RunTool(RenderTool(), withData + "--times 44500,59136,0 --raw " + Quoted(b)).status, 0);
  EXPECT_EQ(ReadAll(a), ReadAll(b));
  ASSERT_EQ(RunTool(RenderTool(), withData + "--from 044496 --to 044500 --step 02 --raw " + Quoted(a)).status, 0);
  EXPECT_EQ(std::filesystem::file_size(a), 2u * 192000);  // 44496 and 44498

  struct Case {
    std::filesystem::path program;
    std::string arguments;
    const char* option;  // named in the one line
  };
  const std::string raw = " --raw " + Quoted(data.path() / "never.raw");
  const Case cases[] = {
      {RenderTool(), withData + "--at 0x10" + raw, "--at"},
      {RenderTool(), withData + "--at +7" + raw, "--at"},
      {RenderTool(), withData + "--at ''" + raw, "--at"},
      {RenderTool(), withData + "--at 1e3" + raw, "--at"},
      {RenderTool(), withData + "--times ,,," + raw, "--times"},
      {RenderTool(), withData + "--times 5,0x10" + raw, "--times"},
      {RenderTool(), withData + "--times 1,,3" + raw, "--times"},
      {RenderTool(), withData + "--times 1," + raw, "--times"},
      {RenderTool(), withData + "--times ,1" + raw, "--times"},
      {RenderTool(), withData + "--times=1,,3" + raw, "--times"},
      {RenderTool(), "--data '' --at 5" + raw, "--data"},
      {RenderTool(), withData + "--from 0 --to 0x10" + raw, "--to"},
      {RenderTool(), withData + "--from 010. --to 20" + raw, "--from"},
      {RenderTool(), withData + "--from 0 --to 20 --step +1" + raw, "--step"},
      {RenderTool(), withData + "--from 0 --to 20 --fps 0x1e" + raw, "--fps"},
      {RenderTool(), withData + "--from 0 --to 20 --fps 1001" + raw, "--fps"},
      {RenderTool(), withData + "--from 0 --to 251328 --fps 2147483647" + raw, "--fps"},
      {RenderTool(), withData + "--at 5 --scale 0x2 --png " + Quoted(data.path() / "png"), "--scale"},
      {ShowProgram(), "--start 0x10", "--start"},
      {ShowProgram(), "--start +7", "--start"},
      {ShowProgram(), "--start ''", "--start"},
      {ShowProgram(), "--scale 03.0", "--scale"},
      {ShowProgram(), "--start 251329", "--start"},
      {ShowProgram(), "--no-such-option", "--no-such-option"},
      {ShowProgram(), "--data ''", "--data"},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool(c.program, c.arguments);
    const std::string label = c.program.filename().string() + " " + c.arguments;
    EXPECT_EQ(run.status, 1) << label << "\n" << run.output;
    EXPECT_NE(run.output.find(c.option), std::string::npos) << label << "\n" << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << label << "\n" << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(data.path() / "never.raw"));

  // 0250000 is 250 s, 1.3 s before the end: read as octal it would be 86 s,
  // and the show would still be running when the time runs out.
  const ToolRun show =
      RunTool(ShowProgram(), "--window --start 0250000", "/", "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20");
  EXPECT_EQ(show.status, 0) << show.output;
}

}  // namespace
}  // namespace vantrelle
