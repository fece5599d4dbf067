#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/render/progress.h"

namespace vantrelle {
namespace {

// Everything a Progress printed, kept in memory.
class Captured {
 public:
  ~Captured() {
    std::fclose(file_);
    std::free(text_);
  }
  std::FILE* file() const { return file_; }
  std::string Text() const {
    std::fflush(file_);
    return {text_, size_};
  }

 private:
  char* text_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_ = open_memstream(&text_, &size_);
};

TEST(Progress, PlainLinesEveryFiveSecondsThenASummary) {
  Captured out;
  render::Progress progress(out.file(), render::ProgressStyle::kLines, 1000);
  progress.Update(10, 1.0);
  progress.Update(200, 4.9);
  EXPECT_EQ(out.Text(), "");
  progress.Update(250, 5.0);
  progress.Update(260, 5.2);
  EXPECT_EQ(out.Text(), "vantrelle-render: 250/1000 frames, 50.0 fps, 0:15 left\n");
  progress.Update(600, 12.0);  // a stall past two marks gives one line, and the next mark is 15 s
  progress.Update(700, 14.0);
  progress.Update(800, 16.0);
  progress.Update(1000, 20.0);
  progress.Finish(20.5);
  EXPECT_EQ(out.Text(),
            "vantrelle-render: 250/1000 frames, 50.0 fps, 0:15 left\n"
            "vantrelle-render: 600/1000 frames, 50.0 fps, 0:08 left\n"
            "vantrelle-render: 800/1000 frames, 50.0 fps, 0:04 left\n"
            "vantrelle-render: 1000/1000 frames, 50.0 fps, 0:00 left\n"
            "vantrelle-render: 1000 frames in 0:21 (48.8 fps)\n");
}

TEST(Progress, BarRedrawsInPlaceAndSilenceIsSilent) {
  Captured bar;
  render::Progress progress(bar.file(), render::ProgressStyle::kBar, 300);
  progress.Update(0, 0.0);
  progress.Update(150, 3.0);
  progress.Update(151, 3.1);  // too soon to redraw
  progress.Update(300, 6.0);
  progress.Finish(6.0);
  EXPECT_EQ(bar.Text(),
            "\r[..............................] 0/300 frames   "
            "\r[###############...............] 150/300 frames, 50.0 fps, 0:03 left   "
            "\r[##############################] 300/300 frames, 50.0 fps, 0:00 left   "
            "\r[##############################] 300/300 frames, 50.0 fps, 0:00 left   \n"
            "vantrelle-render: 300 frames in 0:06 (50.0 fps)\n");

  Captured quiet;
  render::Progress silent(quiet.file(), render::ProgressStyle::kSilent, 300);
  silent.Update(300, 60.0);
  silent.Finish(60.0);
  EXPECT_EQ(quiet.Text(), "");

  EXPECT_EQ(render::ProgressStyleFor(true, bar.file(), 15080), render::ProgressStyle::kSilent);
  EXPECT_EQ(render::ProgressStyleFor(false, bar.file(), render::kFewFrames), render::ProgressStyle::kSilent);
  EXPECT_EQ(render::ProgressStyleFor(false, bar.file(), render::kFewFrames + 1), render::ProgressStyle::kLines);
  EXPECT_EQ(render::FormatDuration(0), "0:00");
  EXPECT_EQ(render::FormatDuration(0.2), "0:01");
  EXPECT_EQ(render::FormatDuration(61.5), "1:02");
  EXPECT_EQ(render::FormatDuration(3600), "60:00");
}

}  // namespace
}  // namespace vantrelle
