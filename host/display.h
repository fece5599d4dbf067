#pragma once
// The handheld's display as the shell draws on it: its size, and the calls
// that set up, clear, flip and release the DirectDraw objects behind it.
#include <cstdint>

#include "host/shell_state.h"
#include "platform/direct_draw.h"

namespace vantrelle::host {

inline constexpr int kDisplayWidth = 240;              // pixels per display row (portrait)
inline constexpr int kDisplayHeight = 400;             // display rows
inline constexpr std::uint32_t kDisplayBitCount = 16;  // RGB565

// Paints the back buffer's 240 x 400 display pixels black. Only a 16-bit
// surface is written; bytes past column 239 of each row are never touched.
void ClearBackBuffer(platform::IDirectDrawSurface& backBuffer);

// Shows the back buffer of the flipping chain headed by `primary`. A flip
// the display is still busy with is retried; a lost surface is restored once
// and not flipped again this frame; any other error is dropped (the next
// frame tries again).
void FlipFrame(platform::IDirectDrawSurface& primary);

// Releases the back buffer, the primary surface and the DirectDraw object,
// in that order, and sets each reference to null. Safe to call any number of
// times.
void ReleaseDisplayObjects(DisplayObjects& display);

// Ends a failed display set-up: releases whatever display objects exist,
// destroys the window and records `message` (a string that outlives the run)
// in `shell` for the error report. Returns `code` unchanged.
platform::HRESULT FailStartup(ShellState& shell, platform::HWND window, platform::HRESULT code, const char* message);

// Enumeration callback of the primary surface's attachments: the first
// surface becomes the back buffer (kept in the display objects of `context`,
// the program's ShellState); any further surface is reported on the debug
// output, released, and stops the enumeration.
platform::HRESULT OnSurfaceEnumerated(platform::IDirectDrawSurface* surface, platform::DDSURFACEDESC* description,
                                      void* context);

}  // namespace vantrelle::host
