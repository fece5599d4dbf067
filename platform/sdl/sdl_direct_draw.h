#pragma once
// The display over SDL: a 240 x 400 RGB565 primary surface with one back
// buffer, both in memory; a flip swaps them and puts the new picture in the
// desktop window (waiting for vsync where the renderer has it).
#include <array>
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/sdl/sdl_desktop.h"

namespace vantrelle::platform {

class SdlDirectDraw : public DirectDrawDriver {
 public:
  explicit SdlDirectDraw(SdlDesktop& desktop);
  HRESULT DirectDrawCreate(const void* driverGuid, IDirectDraw** directDraw, void* outer) override;

 private:
  static constexpr int kPitch = SdlDesktop::kDisplayWidth;  // pixels per surface row
  using Pixels = std::array<std::uint16_t, SdlDesktop::kDisplayWidth * SdlDesktop::kDisplayHeight>;

  class Surface final : public IDirectDrawSurface {
   public:
    std::uint32_t Release() override;
    HRESULT EnumAttachedSurfaces(void* context, LPDDENUMSURFACESCALLBACK callback) override;
    HRESULT Lock(const RECT* rect, DDSURFACEDESC* description, std::uint32_t flags, void* event) override;
    HRESULT Unlock(const RECT* rect) override;
    HRESULT Flip(IDirectDrawSurface* targetOverride, std::uint32_t flags) override;
    HRESULT Restore() override;

    SdlDirectDraw* owner = nullptr;
    Pixels* pixels = nullptr;
    int references = 0;
  };

  class Display final : public IDirectDraw {
   public:
    std::uint32_t Release() override;
    HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override;
    HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) override;
    HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) override;

    SdlDirectDraw* owner = nullptr;
    int references = 0;
  };

  SdlDesktop& desktop_;
  Display display_;
  Surface primary_;
  Surface backBuffer_;
  Pixels first_{};
  Pixels second_{};
};

}  // namespace vantrelle::platform
