#pragma once
// Numbers on the command line are decimal, whatever they look like: the
// render tool names its PNG files with zero-padded times (t044500.png), and
// a leading zero must not turn a time into octal.
#include <CLI/CLI.hpp>

#include <string>

namespace vantrelle::platform {

// A CLI11 transform for whole-number options: accepts an optional '-' and
// decimal digits only, and drops leading zeros so that the parser behind it
// cannot read octal. "", "+7", "0x10", "1e3" and " 5" are refused.
inline CLI::Validator DecimalOnly() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
        if (text.size() == sign || text.find_first_not_of("0123456789", sign) != std::string::npos) {
          return "expected a decimal whole number, found \"" + text + "\"";
        }
        const std::size_t first = std::min(text.find_first_not_of('0', sign), text.size() - 1);
        text = text.substr(0, sign) + text.substr(first);
        return {};
      },
      "DECIMAL");
}

}  // namespace vantrelle::platform
