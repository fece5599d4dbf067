#pragma once
// A display with no screen, for tests: surfaces live in memory, every call is
// counted, and a test can say what creation, capabilities, Lock, Flip and
// Restore report. A successful flip swaps the primary surface's memory with
// its back buffer's, as the handheld's flipping chain does.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/direct_draw.h"

namespace vantrelle::platform {

struct HeadlessDisplayConfig {
  HRESULT createResult = DD_OK;
  HRESULT cooperativeLevelResult = DD_OK;
  std::uint32_t driverSurfaceCaps = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_PRIMARYSURFACE;
  HRESULT createSurfaceResult = DD_OK;
  HRESULT enumerateResult = DD_OK;  // what EnumAttachedSurfaces reports after its callbacks
  int attachedSurfaces = 1;         // surfaces the enumeration hands over
  std::uint32_t width = 240;        // pixels
  std::uint32_t height = 400;       // rows
  std::int32_t pitch = 480;         // bytes per row
  std::uint32_t bitCount = 16;
};

class HeadlessDirectDraw : public DirectDrawDriver {
 public:
  class Surface final : public IDirectDrawSurface {
   public:
    std::uint32_t Release() override;
    HRESULT EnumAttachedSurfaces(void* context, LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT Lock(const RECT* rect, DDSURFACEDESC* description, std::uint32_t flags, void* event) override;
    HRESULT Unlock(const RECT* rect) override;
    HRESULT Flip(IDirectDrawSurface* targetOverride, std::uint32_t flags) override;
    HRESULT Restore() override;

    std::vector<std::uint8_t> memory;  // height rows of pitch bytes
    int references = 0;
    int releases = 0;
    int locks = 0;
    int unlocks = 0;
    bool locked = false;
    HeadlessDirectDraw* owner = nullptr;
    // The pixel at (x, y) of a 16-bit surface.
    std::uint16_t Pixel(int x, int y) const;
  };

  class Display final : public IDirectDraw {
   public:
    std::uint32_t Release() override;
    HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override;
    HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) override;
    HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) override;

    int references = 0;
    int releases = 0;
    HWND cooperativeWindow = 0;
    std::uint32_t cooperativeFlags = 0;
    DDSURFACEDESC createdWith;  // the record CreateSurface was handed
    HeadlessDirectDraw* owner = nullptr;
  };

  explicit HeadlessDirectDraw(const HeadlessDisplayConfig& config = {});
  HeadlessDirectDraw(const HeadlessDirectDraw&) = delete;  // its objects point back at it
  HeadlessDirectDraw& operator=(const HeadlessDirectDraw&) = delete;
  HRESULT DirectDrawCreate(const void* driverGuid, IDirectDraw** directDraw, void* outer) override;

  HeadlessDisplayConfig config;
  Display display;
  Surface primary;
  std::vector<Surface> attached;  // attached[0] is the back buffer

  std::deque<HRESULT> lockResults;     // reported by coming Lock calls, then DD_OK
  std::deque<HRESULT> flipResults;     // reported by coming Flip calls, then DD_OK
  std::deque<HRESULT> restoreResults;  // reported by coming Restore calls, then DD_OK
  int flips = 0;                       // Flip calls, whatever they reported
  int shownFrames = 0;                 // flips that succeeded
  int restores = 0;
  std::vector<const void*> releaseOrder;  // the objects Release was called on, in order
  std::function<void()> onFlip;           // runs at every Flip call, before it reports

 private:
  static HRESULT Next(std::deque<HRESULT>& results);
};

}  // namespace vantrelle::platform
