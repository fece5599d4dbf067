#pragma once
// Whether a file could be written, asked before any work is done.
#include <filesystem>

#include "core/status.h"

namespace vantrelle::render {

// Ok when `file` is absent or a regular file (never a link, a device, a FIFO
// or a directory) and its directory takes new files; else kUnwritable with
// "cannot write FILE: reason". Creates nothing.
Status CheckWritable(const std::filesystem::path& file);

}  // namespace vantrelle::render
