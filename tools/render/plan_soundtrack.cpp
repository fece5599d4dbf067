#include "tools/render/plan_soundtrack.h"

#include <sys/stat.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/decode_mp3.h"
#include "platform/system_services.h"
#include "tools/render/contact_sheet.h"

namespace vantrelle::render {
namespace {

// Over an hour of music at 128 kbit/s: larger is not a soundtrack, and is not read.
constexpr std::int64_t kLargestSoundtrack = 64 << 20;

SoundtrackPlan Silent(std::string warning) {
  SoundtrackPlan plan;
  plan.warning = std::move(warning);
  return plan;
}

}  // namespace

SoundtrackPlan PlanSoundtrack(const std::filesystem::path& soundtrack, DemoClock from, DemoClock to) {
  const std::string name = soundtrack.string();
  struct stat status;
  if (stat(soundtrack.c_str(), &status) != 0) {
    return Silent("warning: no soundtrack at " + name + "; the video will be silent");
  }
  platform::DesktopSystemServices files;  // regular files only, never waiting on a FIFO
  const std::int64_t size = files.FileSize(soundtrack);
  if (size < 0) {
    return Silent("warning: cannot read the soundtrack " + name +
                  " (not a readable regular file); the video will be silent");
  }
  if (size > kLargestSoundtrack) {
    return Silent("warning: the soundtrack " + name + " has " + std::to_string(size) + " bytes, more than the " +
                  std::to_string(kLargestSoundtrack) + " read; the video will be silent");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  bytes.resize(files.ReadFile(soundtrack, bytes.data(), bytes.size()));
  platform::DecodedSound sound;
  if (bytes.empty() || !platform::DecodeMp3(bytes.data(), bytes.size(), sound)) {
    return Silent("warning: cannot decode the soundtrack " + name + "; the video will be silent");
  }
  const std::int64_t length = platform::LengthMs(sound);
  if (length <= from) {
    return Silent("warning: the soundtrack " + name + " ends at " + ShowTimeText(static_cast<DemoClock>(length)) +
                  ", before the range starts; the video will be silent");
  }
  SoundtrackPlan plan{true, {}, std::move(sound)};
  if (length < to) {
    plan.warning = "warning: the soundtrack " + name + " ends at " + ShowTimeText(static_cast<DemoClock>(length)) +
                   ", before the range ends; the video is silent from there";
  }
  return plan;
}

}  // namespace vantrelle::render
