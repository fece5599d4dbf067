#include "tools/render/video_arguments.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

#include "core/frame_buffer.h"

namespace vantrelle::render {
namespace {

// Quality settings: visually clean at the enlarged size without huge files,
// fast enough to keep up with the renderer on a small machine.
constexpr const char* kH264Crf = "18";
constexpr const char* kH264Preset = "veryfast";
constexpr const char* kVp9Crf = "30";
constexpr std::int64_t kAacBitrate = 192000;
constexpr std::int64_t kOpusBitrate = 160000;
const std::string kAacRate = std::to_string(kAacBitrate);
const std::string kOpusRate = std::to_string(kOpusBitrate);

// ffmpeg reads a name starting with '-' as an option and "name:" as a
// protocol; "file:" makes any name a local file.
std::string LocalFile(const std::filesystem::path& file) { return "file:" + file.string(); }

}  // namespace

std::optional<VideoContainer> ContainerFor(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".mp4") return VideoContainer::kMp4;
  if (extension == ".mkv") return VideoContainer::kMkv;
  if (extension == ".webm") return VideoContainer::kWebm;
  if (extension == ".gif") return VideoContainer::kGif;
  return std::nullopt;
}

std::optional<VideoPreset> PresetNamed(const std::string& name) {
  if (name == "landscape") return VideoPreset::kLandscape;
  if (name == "vertical") return VideoPreset::kVertical;
  if (name == "gif") return VideoPreset::kGif;
  return std::nullopt;
}

std::optional<std::int64_t> ParseSize(const std::string& text) {
  std::int64_t unit = 1;
  std::string digits = text;
  if (!digits.empty() && (digits.back() == 'K' || digits.back() == 'M')) {
    unit = digits.back() == 'K' ? 1024 : 1024 * 1024;
    digits.pop_back();
  }
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stopped, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || digits.front() < '0' || digits.front() > '9' || error != std::errc() || stopped != end) {
    return std::nullopt;
  }
  if (value == 0 || value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() / unit)) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(value) * unit;
}

std::int64_t SoundBitrate(VideoContainer container) {
  return container == VideoContainer::kWebm ? kOpusBitrate : kAacBitrate;
}

SizePlan PlanSize(std::int64_t bytes, DemoClock ms, VideoContainer container) {
  const std::int64_t sound = SoundBitrate(container);
  // Bytes a whole rate fills in `ms`, the 4% margin added back.
  auto bytesFor = [&](std::int64_t videoBitrate) { return (videoBitrate + sound) * ms / 1000 / 8 * 100 / 96; };
  if (bytes > bytesFor(kHighestVideoBitrate)) {
    return {SizePlan::kConstantQuality};
  }
  const std::int64_t rate = bytes * 8 * 96 / 100 * 1000 / ms - sound;
  if (rate < kLowestVideoBitrate) {
    return {SizePlan::kTooSmall, 0, bytesFor(kLowestVideoBitrate)};
  }
  return {SizePlan::kBitrate, rate, 0};
}

std::string SecondsText(DemoClock ms) {
  char text[24];
  std::snprintf(text, sizeof text, "%d.%03d", static_cast<int>(ms / 1000), static_cast<int>(ms % 1000));
  return text;
}

std::vector<std::string> FfmpegArguments(const VideoSettings& settings) {
  const bool upright = settings.preset == VideoPreset::kVertical;
  const std::string size = upright ? std::to_string(kFrameHeight) + "x" + std::to_string(kFrameWidth)
                                   : std::to_string(kFrameWidth) + "x" + std::to_string(kFrameHeight);
  const std::string scale = std::to_string(settings.scale);
  // -xerror: a failed write (a full disk) must end ffmpeg with an error;
  // Matroska and WebM would otherwise finish a cut-short file with status 0.
  std::vector<std::string> args = {"ffmpeg",
                                   "-hide_banner",
                                   "-nostats",
                                   "-xerror",
                                   "-loglevel",
                                   "error",
                                   "-y",
                                   "-f",
                                   "rawvideo",
                                   "-pixel_format",
                                   "rgb565le",
                                   "-video_size",
                                   size,
                                   "-framerate",
                                   std::to_string(settings.fps),
                                   "-i",
                                   "-"};
  const bool gif = settings.preset == VideoPreset::kGif;
  const bool withSound = !settings.soundtrack.empty() && !gif;
  if (withSound) {
    const char* samples = std::endian::native == std::endian::little ? "s16le" : "s16be";
    args.insert(args.end(), {"-protocol_whitelist", "file", "-f", samples, "-ar", std::to_string(settings.soundRate),
                             "-ac", std::to_string(settings.soundChannels), "-i", LocalFile(settings.soundtrack)});
  }
  args.insert(args.end(), {"-map", "0:v"});
  if (withSound) {
    args.insert(args.end(), {"-map", "1:a"});
  }
  if (gif) {
    // One palette for the whole clip, made from all its frames; the file loops.
    args.insert(args.end(), {"-vf", "split[frames][again];[frames]palettegen[palette];[again][palette]paletteuse",
                             "-loop", "0", "-f", "gif"});
  } else if (upright) {
    const std::string by = std::to_string(kVerticalScale);
    args.insert(args.end(), {"-vf",
                             "scale=iw*" + by + ":ih*" + by + ":flags=neighbor,pad=" + std::to_string(kVerticalWidth) +
                                 ":" + std::to_string(kVerticalHeight) + ":" + std::to_string(kVerticalLeft) + ":" +
                                 std::to_string(kVerticalTop) + ":color=black",
                             "-pix_fmt", "yuv420p"});
  } else {
    args.insert(args.end(), {"-vf", "scale=iw*" + scale + ":ih*" + scale + ":flags=neighbor", "-pix_fmt", "yuv420p"});
  }
  const std::string bitrate = std::to_string(settings.videoBitrate);
  const bool sized = settings.videoBitrate > 0;
  switch (settings.container) {
    case VideoContainer::kGif:
      break;
    case VideoContainer::kMp4:
      if (sized) {
        args.insert(args.end(), {"-c:v", "libx264", "-preset", kH264Preset, "-b:v", bitrate});
      } else {
        args.insert(args.end(), {"-c:v", "libx264", "-preset", kH264Preset, "-crf", kH264Crf});
      }
      if (withSound) args.insert(args.end(), {"-c:a", "aac", "-b:a", kAacRate});
      break;
    case VideoContainer::kMkv:
      // FLAC: the decoded soundtrack unchanged, and no encoder delay, which
      // Matroska would not trim from AAC (the sound would lag 23 ms).
      args.insert(args.end(), {"-c:v", "libx264", "-preset", kH264Preset, "-crf", kH264Crf});
      if (withSound) args.insert(args.end(), {"-c:a", "flac"});
      break;
    case VideoContainer::kWebm:
      // Constant quality (-b:v 0); row threads and cpu-used 4 keep VP9 from crawling.
      if (sized) {
        args.insert(args.end(), {"-c:v", "libvpx-vp9", "-b:v", bitrate});
      } else {
        args.insert(args.end(), {"-c:v", "libvpx-vp9", "-crf", kVp9Crf, "-b:v", "0"});
      }
      args.insert(args.end(), {"-deadline", "good", "-cpu-used", "4", "-row-mt", "1"});
      if (withSound) args.insert(args.end(), {"-c:a", "libopus", "-b:a", kOpusRate});
      break;
  }
  if (sized && settings.pass > 0) {
    args.insert(args.end(), {"-pass", std::to_string(settings.pass), "-passlogfile", settings.passLog.string()});
  }
  const bool measuring = sized && settings.pass == 1;
  if (settings.container == VideoContainer::kMp4 && !measuring) {
    args.insert(args.end(), {"-movflags", "+faststart"});  // index first: plays while it downloads
  }
  // Every frame starts before the range's end, so none is cut; the sound
  // stops at the same point.
  args.insert(args.end(), {"-t", SecondsText(settings.to - settings.from)});
  if (measuring) {
    // Only the log is kept: the first pass's video goes nowhere, and takes no room.
    args.insert(args.end(),
                {"-f", settings.container == VideoContainer::kWebm ? "webm" : "mp4", LocalFile("/dev/null")});
  } else {
    args.push_back(LocalFile(settings.file));
  }
  return args;
}

}  // namespace vantrelle::render
