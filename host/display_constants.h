#pragma once
// The handheld's display as the shell draws on it.
#include <cstdint>

namespace vantrelle::host {

inline constexpr int kDisplayWidth = 240;              // pixels per display row (portrait)
inline constexpr int kDisplayHeight = 400;             // display rows
inline constexpr std::uint32_t kDisplayBitCount = 16;  // RGB565

}  // namespace vantrelle::host
