#pragma once
// The show program's entry: opens the window and the display, loads the
// data, starts the music and runs the frame loop until the timeline ends the
// show or the window is closed (key 134 closes it). Returns the exit code:
// the word parameter of the last message taken (0 on the quit message, and 0
// if none was ever taken); 0 after a display set-up failure (shown in a
// "DirectDraw Error" box); 2 when the data is faulty.
#include "host/shell_state.h"

namespace vantrelle::host {

inline constexpr int kDataErrorExitCode = 2;

// `shell` is a fresh object for each run; the caller keeps it for as long as it
// wants to look at what the run left behind.
int ShowMain(ShellState& shell, const ShowOperations& operations, const ShowConfig& config);

}  // namespace vantrelle::host
