#pragma once
// Start-up: reads every data file and builds every table before the music.
#include <filesystem>
#include <string>

namespace vantrelle {

// Reads the 29 data files below `dataDirectory` (the folder that holds gfx/
// and mesh/) into their static buffers and builds every table. Checks each
// file before it is used. Returns "" on success, else one line naming the
// file, what was expected and what was found; nothing is read or written out
// of bounds either way.
std::string LoadAndPrecompute(const std::filesystem::path& dataDirectory);

}  // namespace vantrelle
