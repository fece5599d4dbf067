#pragma once
// The ffmpeg command line that turns raw frames on standard input and the
// soundtrack into a video file that plays in an ordinary player.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/demo_clock.h"
#include "tools/render/vertical_layout.h"

namespace vantrelle::render {

enum class VideoContainer { kMp4, kMkv, kWebm, kGif };

// By the file's extension (.mp4, .mkv, .webm, .gif, any case); nothing otherwise.
std::optional<VideoContainer> ContainerFor(const std::filesystem::path& file);

// Where a video is posted: landscape, 1200 x 720 at the default scale;
// vertical, 1080 x 1920, the display upright (as the handheld was held)
// enlarged 4 times to 960 x 1600 and centred on black, for phone-first
// sites; gif, a looping 400 x 240 animated GIF at 25 fps with one palette
// made for the clip, silent.
enum class VideoPreset { kLandscape, kVertical, kGif };
std::optional<VideoPreset> PresetNamed(const std::string& name);
inline constexpr int kGifFps = 25;  // 4 hundredths of a second a frame
inline constexpr DemoClock kGifLongestMs = 30000;

struct VideoSettings {
  std::filesystem::path file = {};  // the video written (replaced if present)
  VideoContainer container = VideoContainer::kMp4;
  std::filesystem::path soundtrack = {};  // decoded sound, from `from` on; empty: a silent video
  DemoClock from = 0;                     // ms; frame n shows from + floor(n * 1000 / fps)
  DemoClock to = kShowLengthMs;           // ms, not included
  int fps = 60;
  int scale = 3;                                 // whole-factor enlargement, nearest neighbour (landscape only)
  VideoPreset preset = VideoPreset::kLandscape;  // vertical: frames arrive upright, 240 x 400
  // For --max-size: a bit rate in bits per second instead of constant
  // quality, in two passes sharing the log `passLog`: the first only measures
  // (its video is thrown away unwritten), the second makes `file`; 0: one pass.
  std::int64_t videoBitrate = 0;
  int pass = 0;
  std::filesystem::path passLog = {};
  // A finished video of more bytes fails and leaves `file` as it was; 0: no
  // limit. `maxSizeText` is the limit as the user wrote it.
  std::int64_t maxBytes = 0;
  std::string maxSizeText = {};
  long soundRate = 0;     // the sound's frames per second
  int soundChannels = 0;  // 16-bit samples, interleaved, in this machine's byte order
};

// "2000000", "300K" or "2M" (1,024-based) as bytes; nothing for anything
// else, for 0, or for more than 64 bits hold.
std::optional<std::int64_t> ParseSize(const std::string& text);

// The bit rate of the sound each container carries, bits per second: what a size limit must leave for it.
std::int64_t SoundBitrate(VideoContainer container);
// Below this the show's fine pixels turn to mush: a limit that leaves less is refused.
inline constexpr std::int64_t kLowestVideoBitrate = 250000;
// Far above what constant quality uses at these sizes: a limit that leaves
// more needs no bit rate at all (the finished size is still checked).
inline constexpr std::int64_t kHighestVideoBitrate = 100000000;

// What a limit of `bytes` makes of `ms` of video in `container`: the video
// bit rate that leaves 4% for the container and the encoder's aim, and room
// for the sound; or, when that is below kLowestVideoBitrate, the least limit
// that works; or, above kHighestVideoBitrate, constant quality.
struct SizePlan {
  enum Kind { kBitrate, kTooSmall, kConstantQuality };
  Kind kind = kConstantQuality;
  std::int64_t videoBitrate = 0;  // kBitrate: bits per second
  std::int64_t leastBytes = 0;    // kTooSmall
};
SizePlan PlanSize(std::int64_t bytes, DemoClock ms, VideoContainer container);

// "12.345" for 12,345 ms: exact, no floating point.
std::string SecondsText(DemoClock ms);

// argv for ffmpeg, the program name first. Frames arrive as rgb565le
// 400 x 240 at `fps`; the sound, already decoded, starts at `from` and both
// streams stop at the range's length, so frame n and the sound at
// n / fps seconds belong to the same moment of the show. The sound's format
// is given, never guessed from its bytes, and ffmpeg may open local files
// only. Files are passed
// as "file:NAME", so that no name is taken for an option or a protocol.
std::vector<std::string> FfmpegArguments(const VideoSettings& settings);

}  // namespace vantrelle::render
