#pragma once
// Options that name a file, a folder or a choice: an empty value is a
// mistake, never a quiet fall back to the default.
#include <CLI/CLI.hpp>

#include <string>

namespace vantrelle::platform {

// A CLI11 check refusing "" with "must <what>, not be empty"; `name` is what
// help shows for the value.
inline CLI::Validator NonEmpty(const std::string& what, const std::string& name) {
  const std::string message = "must " + what + ", not be empty";
  return CLI::Validator([message](std::string& text) { return text.empty() ? message : std::string(); }, name);
}

inline CLI::Validator NonEmptyFolder() { return NonEmpty("name a folder", "FOLDER"); }

}  // namespace vantrelle::platform
