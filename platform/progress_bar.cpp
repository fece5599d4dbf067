#include "platform/progress_bar.h"

#include <algorithm>

namespace vantrelle::platform {

namespace {
constexpr int kSideMargin = 8;    // pixels left free at each end
constexpr int kTrackHeight = 4;   // pixels
constexpr int kTrackBottom = 8;   // pixels between the track and the output's bottom edge
constexpr int kPanelHeight = 24;  // the shaded band, and where a click seeks
}  // namespace

ProgressBarLayout LayOutProgressBar(int outputWidth, int outputHeight) {
  ProgressBarLayout layout;
  layout.outputWidth = std::max(outputWidth, 1);
  layout.outputHeight = std::max(outputHeight, 1);
  layout.x = std::min(kSideMargin, (layout.outputWidth - 1) / 2);
  layout.width = std::max(layout.outputWidth - 2 * layout.x, 1);
  layout.height = std::min(kTrackHeight, layout.outputHeight);
  layout.y = std::max(layout.outputHeight - kTrackBottom - layout.height, 0);
  layout.panelTop = std::max(layout.outputHeight - kPanelHeight, 0);
  return layout;
}

int ProgressColumn(const ProgressBarLayout& layout, std::int32_t ms, std::int32_t lengthMs) {
  const std::int64_t length = std::max<std::int32_t>(lengthMs, 1);
  const std::int64_t held = std::clamp<std::int64_t>(ms, 0, length);
  return layout.x + static_cast<int>(held * layout.width / length);
}

bool OnProgressBar(const ProgressBarLayout& layout, int x, int y) {
  return x >= 0 && x < layout.outputWidth && y >= layout.panelTop && y < layout.outputHeight;
}

std::int32_t ProgressTimeAt(const ProgressBarLayout& layout, int x, std::int32_t lengthMs) {
  const std::int64_t length = std::max<std::int32_t>(lengthMs, 1);
  const std::int64_t column = std::clamp(x - layout.x, 0, layout.width - 1);
  // Rounded up: the first moment drawn at this column.
  const std::int64_t first = (column * length + layout.width - 1) / layout.width;
  return static_cast<std::int32_t>(std::min(first, length - 1));
}

}  // namespace vantrelle::platform
