#pragma once
// Options that name a file or a folder: an empty value is a mistake, never a
// quiet fall back to the default.
#include <CLI/CLI.hpp>

#include <string>

namespace vantrelle::platform {

// A CLI11 check refusing "" with "must name a folder, not be empty".
inline CLI::Validator NonEmptyFolder() {
  return CLI::Validator(
      [](std::string& text) { return text.empty() ? std::string("must name a folder, not be empty") : std::string(); },
      "FOLDER");
}

}  // namespace vantrelle::platform
