#pragma once
// SIGINT, SIGTERM and SIGHUP, caught while frames are written, so that an
// interrupted render stops between frames, ends ffmpeg and removes what it
// had begun, instead of dying with half a file.
namespace vantrelle::render {

// Installs the handlers. Blocking calls they interrupt fail with EINTR
// rather than resume, so that a stalled write gives way.
void CatchStopSignals();

// The stop signal caught since, or 0.
int StopSignal();

}  // namespace vantrelle::render
