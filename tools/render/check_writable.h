#pragma once
// Whether a file could be written, asked before any work is done.
#include <filesystem>
#include <string>

namespace vantrelle::render {

// "" when `file` exists and may be written, or may be created in its
// directory; else "cannot write FILE: reason". Creates nothing.
std::string CheckWritable(const std::filesystem::path& file);

}  // namespace vantrelle::render
