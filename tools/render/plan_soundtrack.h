#pragma once
// Whether a video export can take the soundtrack, decided once before ffmpeg
// starts, with the show's own decoder: a soundtrack that is missing, not a
// regular file, undecodable or shorter than the range gives a warning that
// says what happens instead, and a silent video where there is no sound.
// The samples it decoded are the ones the video gets, so that what was
// checked is what is used.
#include <filesystem>
#include <string>

#include "core/demo_clock.h"
#include "platform/decode_mp3.h"

namespace vantrelle::render {

struct SoundtrackPlan {
  bool withSound = false;        // false: the video is silent
  std::string warning;           // "" or one line (without the program's name)
  platform::DecodedSound sound;  // the decoded soundtrack, when with sound
};

// For the range [from, to) ms of the show.
SoundtrackPlan PlanSoundtrack(const std::filesystem::path& soundtrack, DemoClock from, DemoClock to);

}  // namespace vantrelle::render
