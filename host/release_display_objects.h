#pragma once
// Releases the back buffer, the primary surface and the DirectDraw object,
// in that order, and sets each reference to null. Safe to call any number of
// times.
#include "host/shell_state.h"

namespace vantrelle::host {

void ReleaseDisplayObjects(DisplayObjects& display);

}  // namespace vantrelle::host
