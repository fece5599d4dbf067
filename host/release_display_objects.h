#pragma once
// Releases the back buffer, the primary surface and the DirectDraw object,
// in that order, and sets each reference to null. Safe to call any number of
// times.
namespace vantrelle::host {

void ReleaseDisplayObjects();

}  // namespace vantrelle::host
