#pragma once
// Whether a video export can take the soundtrack, decided once before ffmpeg
// starts, with the show's own decoder: a soundtrack that is missing, not a
// regular file, undecodable or shorter than the range gives a warning that
// says what happens instead, and a silent video where there is no sound.
#include <filesystem>
#include <string>

#include "core/demo_clock.h"

namespace vantrelle::render {

struct SoundtrackPlan {
  bool withSound = false;  // false: the video is silent
  std::string warning;     // "" or one line (without the program's name)
};

// For the range [from, to) ms of the show.
SoundtrackPlan PlanSoundtrack(const std::filesystem::path& soundtrack, DemoClock from, DemoClock to);

}  // namespace vantrelle::render
