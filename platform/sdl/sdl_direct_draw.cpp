#include "platform/sdl/sdl_direct_draw.h"

#include <utility>

namespace vantrelle::platform {

SdlDirectDraw::SdlDirectDraw(SdlDesktop& desktop) : desktop_(desktop) {
  display_.owner = this;
  primary_.owner = this;
  primary_.pixels = &first_;
  backBuffer_.owner = this;
  backBuffer_.pixels = &second_;
}

HRESULT SdlDirectDraw::DirectDrawCreate(const void* /*driverGuid*/, IDirectDraw** directDraw, void* outer) {
  if (outer != nullptr || directDraw == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  if (desktop_.Window() == nullptr) {
    return DDERR_NODIRECTDRAWHW;
  }
  ++display_.references;
  *directDraw = &display_;
  return DD_OK;
}

std::uint32_t SdlDirectDraw::Display::Release() {
  references = references > 0 ? references - 1 : 0;
  return static_cast<std::uint32_t>(references);
}

HRESULT SdlDirectDraw::Display::SetCooperativeLevel(HWND /*window*/, std::uint32_t flags) {
  if ((flags & DDSCL_FULLSCREEN) != 0) {
    owner->desktop_.EnterFullScreen();
  }
  return DD_OK;
}

HRESULT SdlDirectDraw::Display::GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) {
  if (driverCaps != nullptr) {
    driverCaps->ddsCaps.dwCaps = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_PRIMARYSURFACE;
  }
  if (emulationCaps != nullptr) {
    emulationCaps->ddsCaps.dwCaps = 0;
  }
  return DD_OK;
}

HRESULT SdlDirectDraw::Display::CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) {
  if (outer != nullptr || description == nullptr || description->dwSize != sizeof(DDSURFACEDESC) ||
      (description->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) == 0) {
    return DDERR_INVALIDPARAMS;  // this display makes only its primary surface
  }
  if (!owner->desktop_.OpenRenderer()) {
    return DDERR_NODIRECTDRAWHW;
  }
  ++owner->primary_.references;
  *surface = &owner->primary_;
  return DD_OK;
}

std::uint32_t SdlDirectDraw::Surface::Release() {
  references = references > 0 ? references - 1 : 0;
  return static_cast<std::uint32_t>(references);
}

HRESULT SdlDirectDraw::Surface::EnumAttachedSurfaces(void* context, LPDDENUMSURFACESCALLBACK callback) {
  if (this != &owner->primary_) {
    return DD_OK;
  }
  ++owner->backBuffer_.references;  // the callee keeps this reference
  DDSURFACEDESC description;
  description.dwSize = sizeof(DDSURFACEDESC);
  description.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
  callback(&owner->backBuffer_, &description, context);
  return DD_OK;
}

HRESULT SdlDirectDraw::Surface::Lock(const RECT* /*rect*/, DDSURFACEDESC* description, std::uint32_t /*flags*/,
                                     void* /*event*/) {
  if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC)) {
    return DDERR_INVALIDPARAMS;
  }
  description->dwWidth = SdlDesktop::kDisplayWidth;
  description->dwHeight = SdlDesktop::kDisplayHeight;
  description->lPitch = 2 * kPitch;
  description->lpSurface = pixels->data();
  description->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
  description->ddpfPixelFormat.dwRGBBitCount = 16;
  description->ddpfPixelFormat.dwRBitMask = 0xF800;
  description->ddpfPixelFormat.dwGBitMask = 0x07E0;
  description->ddpfPixelFormat.dwBBitMask = 0x001F;
  return DD_OK;
}

HRESULT SdlDirectDraw::Surface::Unlock(const RECT* /*rect*/) { return DD_OK; }

HRESULT SdlDirectDraw::Surface::Flip(IDirectDrawSurface* /*targetOverride*/, std::uint32_t /*flags*/) {
  if (this != &owner->primary_) {
    return DDERR_INVALIDPARAMS;
  }
  std::swap(pixels, owner->backBuffer_.pixels);
  owner->desktop_.Present(pixels->data(), kPitch);
  return DD_OK;
}

HRESULT SdlDirectDraw::Surface::Restore() { return DD_OK; }

}  // namespace vantrelle::platform
