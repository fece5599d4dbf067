#pragma once
// Start-up: reads every data file and builds every table before the music.
#include <filesystem>

#include "core/status.h"

namespace vantrelle {

// Reads the 29 data files below `dataDirectory` (the folder that holds gfx/
// and mesh/) into their static buffers and builds every table. Checks each
// file before it is used. On failure the kind says what is wrong (kNotFound,
// kUnreadable, kMalformed) and the message is one line naming the file, what
// was expected and what was found; nothing is read or written out of bounds.
Status LoadAndPrecompute(const std::filesystem::path& dataDirectory);

}  // namespace vantrelle
