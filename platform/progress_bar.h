#pragma once
// Where the progress bar lies on the output (in the output's logical pixels,
// 400 x 240 landscape or 240 x 400 upright) and how a point on it maps to a
// moment of the show and back.
#include <cstdint>

namespace vantrelle::platform {

struct ProgressBarLayout {
  int x = 0;         // left end of the track
  int y = 0;         // top of the track
  int width = 1;     // track length, pixels
  int height = 1;    // track thickness, pixels
  int panelTop = 0;  // top of the shaded panel behind the track
  int outputWidth = 1;
  int outputHeight = 1;
};

// The bar along the bottom edge of an output of this size.
ProgressBarLayout LayOutProgressBar(int outputWidth, int outputHeight);

// The track column of moment `ms` of a show `lengthMs` long: layout.x at 0,
// layout.x + width at the end; moments outside the show are held at its ends.
int ProgressColumn(const ProgressBarLayout& layout, std::int32_t ms, std::int32_t lengthMs);

// Whether a point of the output lies on the bar's panel (where a click seeks).
bool OnProgressBar(const ProgressBarLayout& layout, int x, int y);

// The first moment whose column is `x` (held to the track), so that
// ProgressColumn gives `x` back; always before the show's end.
std::int32_t ProgressTimeAt(const ProgressBarLayout& layout, int x, std::int32_t lengthMs);

}  // namespace vantrelle::platform
