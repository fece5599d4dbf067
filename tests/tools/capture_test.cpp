#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "assets/data_inventory.h"
#include "platform/write_png.h"
#include "stand_in_ffmpeg.h"
#include "testing/read_png.h"
#include "testing/test_data_directory.h"
#include "timeline/timeline.h"
#include "tool_run.h"
#include "tools/render/contact_sheet.h"
#include "tools/render/video_arguments.h"

namespace vantrelle {
namespace {

// ffprobe's key=value lines for the file's streams ("video.nb_read_frames"),
// and its format ("duration").
std::map<std::string, std::string> Probe(const std::filesystem::path& file) {
  const ToolRun run =
      RunTool("ffprobe",
              "-v error -count_frames -show_entries "
              "stream=codec_type,codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames:format=duration "
              "-of default=nw=1 " +
                  Quoted(file));
  std::map<std::string, std::string> found;
  std::string stream, line;
  for (std::istringstream lines(run.output); std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "codec_name") {
      found["codec"] = value;  // filed under its stream's type, which follows
    } else if (key == "codec_type") {
      stream = value;
      found[stream + ".codec"] = found["codec"];
    } else if (key == "duration") {
      found[key] = value;
    } else {
      found[stream + "." + key] = value;
    }
  }
  return found;
}

// A data directory with a soundtrack: silent for its first 1.5 s, then a tone.
void AddSoundtrack(const TestDataDirectory& data) {
  std::filesystem::create_directories(data.path() / "music");
  ASSERT_EQ(RunShell("ffmpeg -hide_banner -loglevel error -y -f lavfi -i "
                     "\"sine=frequency=440:duration=4,volume=enable='lt(t,1.5)':volume=0\" -c:a libmp3lame " +
                     Quoted(data.FilePath(kSoundtrackFileName))),
            0);
}

// When the sound of `file` first rises out of silence, in seconds.
double FirstSound(const std::filesystem::path& file) {
  const ToolRun run =
      RunTool("ffmpeg", "-hide_banner -nostats -i " + Quoted(file) + " -af silencedetect=n=-30dB:d=0.1 -f null -");
  const std::size_t at = run.output.find("silence_end: ");
  return at == std::string::npos ? -1 : std::stod(run.output.substr(at + 13));
}

// What ffmpeg makes of the arguments is checked on real videos below; here,
// what a probe cannot see: the container by name, the index up front, sharp
// enlargement, exact seconds.
TEST(VideoArguments, ContainerByNameAndTheIndexUpFront) {
  using Container = std::optional<render::VideoContainer>;
  for (auto [file, container] : {std::pair<const char*, Container>{"a/show.MP4", render::VideoContainer::kMp4},
                                 {"show.mkv", render::VideoContainer::kMkv},
                                 {"show.webm", render::VideoContainer::kWebm},
                                 {"show.avi", std::nullopt},
                                 {"mp4", std::nullopt}}) {
    EXPECT_EQ(render::ContainerFor(file), container) << file;
  }
  render::VideoSettings settings;
  settings.file = "-show.mp4";  // a name ffmpeg would read as an option
  settings.to = 5;
  std::vector<std::string> args = render::FfmpegArguments(settings);
  EXPECT_EQ(args.back(), "file:-show.mp4");
  EXPECT_EQ(std::count(args.begin(), args.end(), "+faststart"), 1);
  EXPECT_EQ(std::count(args.begin(), args.end(), "scale=iw*3:ih*3:flags=neighbor"), 1);  // sharp pixels
  settings.container = render::VideoContainer::kWebm;
  args = render::FfmpegArguments(settings);
  EXPECT_EQ(std::count(args.begin(), args.end(), "+faststart"), 0);
  EXPECT_EQ(render::SecondsText(251328), "251.328");
}

// Each container and preset as ffprobe reads it, with the sound in step. A
// soundtrack that starts as a playlist and goes on as MP3 is played by the
// show's decoder, which skips the text: the video must carry that same music,
// never the file the playlist names. Without a soundtrack a video is silent
// and says so; a GIF has no sound, so nothing is said of it.
TEST(VideoExport, ContainersAndPresetsAsAProbeReadsThem) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TestDataDirectory none, tone, playlist;
  AddSoundtrack(tone);
  AddSoundtrack(playlist);
  ASSERT_EQ(RunShell("cd " + Quoted(playlist.FilePath(kSoundtrackFileName).parent_path()) +
                     " && ffmpeg -hide_banner -loglevel error -f lavfi -i sine=frequency=880:duration=4 other.wav"
                     " && { printf '#EXTM3U\\n#EXT-X-TARGETDURATION:4\\n#EXTINF:4,\\nother.wav\\n"
                     "#EXT-X-ENDLIST\\n'; cat soundtrack.mp3; } > mixed && mv mixed soundtrack.mp3"),
            0);
  struct Case {
    const TestDataDirectory& data;
    const char* file;
    const char* options;  // all but the first are --quiet
    const char* codec;
    const char* width;
    const char* height;
    const char* rate;
    const char* frames;
    const char* sound;  // "" for none
    double firstSound;  // s into the video; < 0 when not checked
  };
  // The tone starts 1.5 s into the soundtrack, so 0.5 s into a video from 1 s.
  const Case cases[] = {
      {tone, "two seconds.mp4", "--from 1000 --to 3000 --fps 30", "h264", "1200", "720", "30/1", "60", "aac", 0.5},
      {tone, "show.mkv", "--from 0 --to 1000 --fps 12 --scale 1", "h264", "400", "240", "12/1", "12", "flac", -1},
      {tone, "show.webm", "--from 1200 --to 1700 --fps 10 --scale 1", "vp9", "400", "240", "10/1", "5", "opus", 0.3},
      {tone, "wide.mp4", "--from 1000 --to 3000 --preset landscape", "h264", "1200", "720", "60/1", "120", "aac", -1},
      {tone, "tall.mp4", "--from 1000 --to 3000 --preset vertical", "h264", "1080", "1920", "60/1", "120", "aac", -1},
      {tone, "loop.gif", "--from 1000 --to 3000 --preset gif", "gif", "400", "240", "25/1", "50", "", -1},
      {playlist, "mixed.mkv", "--from 1000 --to 3000 --fps 10 --scale 1", "h264", "400", "240", "10/1", "20", "flac",
       0.5},  // the other file sounds from 0
      {none, "silent.mp4", "--from 0 --to 500 --fps 10 --scale 1", "h264", "400", "240", "10/1", "5", "", -1},
      {none, "silent.gif", "--from 0 --to 200 --preset gif", "gif", "400", "240", "25/1", "5", "", -1},
  };
  for (const Case& c : cases) {
    const std::filesystem::path file = c.data.path() / c.file;
    const bool first = &c == cases;
    const ToolRun run = RunTool(RenderTool(), std::string(first ? "" : "--quiet ") + "--data " + Quoted(c.data.path()) +
                                                  " " + c.options + " --video " + Quoted(file));
    ASSERT_EQ(run.status, 0) << c.file << ": " << run.output;
    if (first) {
      // The count from the start, then (after lines every 5 s on a slow machine) the closing line.
      EXPECT_TRUE(run.output.starts_with("vantrelle-render: 60 frames to draw\n")) << run.output;
      EXPECT_NE(run.output.find("vantrelle-render: 60 frames in "), std::string::npos) << run.output;
    } else if (&c.data == &none && std::string(c.codec) != "gif") {
      EXPECT_EQ(run.output, "vantrelle-render: warning: no soundtrack at " +
                                none.FilePath(kSoundtrackFileName).string() + "; the video will be silent\n");
    } else {
      EXPECT_EQ(run.output, "") << c.file;
    }
    std::map<std::string, std::string> probe = Probe(file);
    if (first) {
      EXPECT_NEAR(std::stod(probe["duration"]), 2.0, 0.03);
    }
    EXPECT_EQ(probe["video.codec"], c.codec) << c.file;
    if (probe["video.codec"] == "h264") {
      EXPECT_EQ(probe["video.pix_fmt"], "yuv420p") << c.file;
    }
    EXPECT_EQ(probe["video.width"], c.width) << c.file;
    EXPECT_EQ(probe["video.height"], c.height) << c.file;
    EXPECT_EQ(probe["video.r_frame_rate"], c.rate) << c.file;
    EXPECT_EQ(probe["video.nb_read_frames"], c.frames) << c.file;
    EXPECT_EQ(probe["audio.codec"], c.sound) << c.file;
    if (c.firstSound >= 0) {
      EXPECT_NEAR(FirstSound(file), c.firstSound, 1 / std::stod(c.rate)) << c.file;
    }
  }

  // The GIF loops for ever: the application block NETSCAPE2.0 with a loop count of 0.
  const std::string gif = ReadAll(tone.path() / "loop.gif");
  const std::size_t loop = gif.find("NETSCAPE2.0");
  ASSERT_NE(loop, std::string::npos);
  EXPECT_EQ(gif.substr(loop + 11, 4), std::string("\x03\x01\x00\x00", 4));

  // The vertical video's first frame: black around the upright display enlarged 4 times, centred.
  const std::filesystem::path first = tone.path() / "first.png";
  ASSERT_EQ(RunShell("ffmpeg -v error -i " + Quoted(tone.path() / "tall.mp4") + " -frames:v 1 " + Quoted(first)), 0);
  ASSERT_EQ(RunTool(RenderTool(),
                    "--data " + Quoted(tone.path()) + " --at 1000 --portrait --png " + Quoted(tone.path() / "upright"))
                .status,
            0);
  const Picture frame = ReadPng(first);
  const Picture upright = ReadPng(tone.path() / "upright" / "t001000.png");
  ASSERT_EQ(frame.width, 1080);
  ASSERT_EQ(upright.width, 240);
  long border = 0, inside = 0;
  for (int y = 0; y < 1920; ++y) {
    for (int x = 0; x < 1080; ++x) {
      const std::uint8_t* got = frame.At(x, y);
      const bool picture = x >= 60 && x < 1020 && y >= 160 && y < 1760;
      const std::uint8_t* want = picture ? upright.At((x - 60) / 4, (y - 160) / 4) : nullptr;
      for (int c = 0; c < 3; ++c) {
        (picture ? inside : border) += std::abs(got[c] - (picture ? want[c] : 0));
      }
    }
  }
  EXPECT_LT(border / (3.0 * (1080 * 1920 - 960 * 1600)), 2.0);  // black, give or take the encoder
  EXPECT_LT(inside / (3.0 * 960 * 1600), 6.0);
}

// --max-size: 20 s within 2 MiB, and near it (the bit rate aims at the limit,
// not at a quality).
TEST(VideoExport, FitsAMaximumSize) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  TestDataDirectory data;
  AddSoundtrack(data);
  const std::filesystem::path video = data.path() / "fits.mp4";
  const ToolRun run = RunTool(RenderTool(), "--quiet --data " + Quoted(data.path()) +
                                                " --from 0 --to 20000 --max-size 2M --video " + Quoted(video));
  ASSERT_EQ(run.status, 0) << run.output;
  const std::uintmax_t size = std::filesystem::file_size(video);
  EXPECT_LE(size, 2u * 1024 * 1024);
  EXPECT_GE(size, 1u * 1024 * 1024);
  std::map<std::string, std::string> probe = Probe(video);
  EXPECT_EQ(probe["video.nb_read_frames"], "1200");
  EXPECT_EQ(probe["audio.codec"], "aac");
  EXPECT_EQ(Names(data.path()), (std::set<std::string>{"fits.mp4", "gfx", "mesh", "music"}));  // no pass logs left
}

// The handheld showed the picture turned a quarter: the landscape frame's
// top row runs down the upright display's right-hand column, its left column
// along the display's top row. Raw and PNG frames alike; a scale repeats pixels.
// PNG files are named by their zero-padded times, in a folder made as needed.
TEST(PortraitExport, FramesAreTheLandscapeFramesTurnedAndEnlarged) {
  TestDataDirectory data;
  const std::string withData = "--data " + Quoted(data.path()) + " --times 7,44500,120000 ";
  const std::filesystem::path raw = data.path() / "tall.raw", flatFolder = data.path() / "png" / "wide";
  for (const std::string& output : {"--raw " + Quoted(raw) + " --portrait", "--png " + Quoted(flatFolder),
                                    "--png " + Quoted(data.path() / "tall") + " --portrait --scale 2",
                                    "--png " + Quoted(data.path() / "three") + " --scale 3"}) {
    const ToolRun run = RunTool(RenderTool(), withData + output);
    ASSERT_EQ(run.status, 0) << output << "\n" << run.output;
  }
  EXPECT_EQ(Names(flatFolder), (std::set<std::string>{"t000007.png", "t044500.png", "t120000.png"}));
  const std::string portrait = ReadAll(raw);
  ASSERT_EQ(portrait.size(), 3 * 192000u);

  std::set<std::vector<std::uint8_t>> colours;
  std::size_t frame = 0;
  for (const char* name : {"t000007.png", "t044500.png", "t120000.png"}) {
    const Picture flat = ReadPng(flatFolder / name);
    const Picture upright = ReadPng(data.path() / "tall" / name);
    const Picture three = ReadPng(data.path() / "three" / name);
    for (auto [picture, width, height] : {std::tuple{&flat, 400, 240}, {&upright, 480, 800}, {&three, 1200, 720}}) {
      ASSERT_EQ(std::pair(picture->width, picture->height), std::pair(width, height)) << name;
    }
    // The raw frame is the upright display itself: 240 pixels a row, 2 bytes a pixel, low byte first.
    const auto* rawFrame = reinterpret_cast<const std::uint8_t*>(portrait.data()) + 192000 * frame++;
    int turned = 0, rawTurned = 0, enlarged = 0;
    for (int y = 0; y < 800; ++y) {
      for (int x = 0; x < 480; ++x) {
        const std::uint8_t* want = flat.At(y / 2, 239 - x / 2);
        turned += !SameColour(upright.At(x, y), want);
        colours.insert({want, want + 3});
        const std::size_t at = 2 * static_cast<std::size_t>(y / 2 * 240 + x / 2);
        rawTurned += !SameColour(platform::WidenRgb565(rawFrame[at] | rawFrame[at + 1] << 8).data(), want);
      }
    }
    for (int y = 0; y < 720; ++y) {
      for (int x = 0; x < 1200; ++x) enlarged += !SameColour(three.At(x, y), flat.At(x / 3, y / 3));
    }
    EXPECT_EQ(turned, 0) << name;
    EXPECT_EQ(rawTurned, 0) << name;
    EXPECT_EQ(enlarged, 0) << name;
  }
  EXPECT_GT(colours.size(), 1u);  // blank frames would prove nothing
}

TEST(ContactSheet, OneLabelledTilePerSegment) {
  EXPECT_EQ(render::ShowTimeText(0), "00:00.000");
  EXPECT_EQ(render::ShowTimeText(251328), "04:11.328");
  for (const SegmentInfo& segment : ShowSegments()) {
    const DemoClock t = render::RepresentativeTime(segment);
    EXPECT_GE(t, segment.start + 2 * kBeatMs) << segment.number;  // past the opening flash
    EXPECT_LT(t, segment.end) << segment.number;
  }

  TestDataDirectory data;
  const std::filesystem::path file = data.path() / "sheet.png";
  const ToolRun run = RunTool(RenderTool(), "--data " + Quoted(data.path()) + " --contact-sheet " + Quoted(file));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "");
  const Picture sheet = ReadPng(file);
  const int tiles = static_cast<int>(ShowSegments().size());
  ASSERT_EQ(tiles, 25);
  EXPECT_EQ(sheet.width, 5 * 400 + 6 * render::kSheetMargin);
  EXPECT_EQ(sheet.height, 5 * (240 + render::kSheetLabelHeight) + 6 * render::kSheetMargin);

  const std::uint8_t* background = sheet.At(0, 0);
  std::set<std::string> labels;
  for (int i = 0; i < tiles; ++i) {
    const render::PixelRect label = render::ContactSheetLabel(i);
    const render::PixelRect frame = render::ContactSheetFrame(i);
    EXPECT_EQ(label.y, frame.y + 240) << i;
    ASSERT_LE(label.x + label.width, sheet.width) << i;
    ASSERT_LE(label.y + label.height, sheet.height) << i;
    std::string pixels;
    int ink = 0;
    for (int y = label.y; y < label.y + label.height; ++y) {
      for (int x = label.x; x < label.x + label.width; ++x) {
        ink += !SameColour(background, sheet.At(x, y));
        pixels.insert(pixels.end(), sheet.At(x, y), sheet.At(x, y) + 3);
      }
    }
    EXPECT_GT(ink, 200) << "label " << i << " is blank";
    labels.insert(pixels);
  }
  EXPECT_EQ(labels.size(), 25u);  // every label says something else
}

}  // namespace
}  // namespace vantrelle
