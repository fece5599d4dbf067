#include "platform/headless/headless_direct_draw.h"

#include <cstring>
#include <utility>

namespace vantrelle::platform {

HeadlessDirectDraw::HeadlessDirectDraw(const HeadlessDisplayConfig& displayConfig) : config(displayConfig) {
  const std::size_t bytes = static_cast<std::size_t>(config.pitch) * config.height;
  display.owner = this;
  primary.owner = this;
  primary.memory.assign(bytes, 0);
  attached.resize(static_cast<std::size_t>(config.attachedSurfaces));
  for (Surface& surface : attached) {
    surface.owner = this;
    surface.memory.assign(bytes, 0);
  }
}

HRESULT HeadlessDirectDraw::Next(std::deque<HRESULT>& results) {
  if (results.empty()) {
    return DD_OK;
  }
  const HRESULT result = results.front();
  results.pop_front();
  return result;
}

HRESULT HeadlessDirectDraw::DirectDrawCreate(const void* /*driverGuid*/, IDirectDraw** directDraw, void* outer) {
  if (outer != nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  if (config.createResult != DD_OK) {
    return config.createResult;
  }
  ++display.references;
  *directDraw = &display;
  return DD_OK;
}

std::uint32_t HeadlessDirectDraw::Display::Release() {
  owner->releaseOrder.push_back(this);
  ++releases;
  --references;
  return static_cast<std::uint32_t>(references < 0 ? 0 : references);
}

HRESULT HeadlessDirectDraw::Display::SetCooperativeLevel(HWND window, std::uint32_t flags) {
  cooperativeWindow = window;
  cooperativeFlags = flags;
  return owner->config.cooperativeLevelResult;
}

HRESULT HeadlessDirectDraw::Display::GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) {
  if (driverCaps == nullptr || driverCaps->dwSize != sizeof(DDCAPS) ||
      (emulationCaps != nullptr && emulationCaps->dwSize != sizeof(DDCAPS))) {
    return DDERR_INVALIDPARAMS;
  }
  driverCaps->ddsCaps.dwCaps = owner->config.driverSurfaceCaps;
  if (emulationCaps != nullptr) {
    emulationCaps->ddsCaps.dwCaps = 0;
  }
  return DD_OK;
}

HRESULT HeadlessDirectDraw::Display::CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface,
                                                   void* outer) {
  createdWith = *description;
  if (outer != nullptr || description->dwSize != sizeof(DDSURFACEDESC)) {
    return DDERR_INVALIDPARAMS;
  }
  if (owner->config.createSurfaceResult != DD_OK) {
    return owner->config.createSurfaceResult;
  }
  ++owner->primary.references;
  *surface = &owner->primary;
  return DD_OK;
}

std::uint32_t HeadlessDirectDraw::Surface::Release() {
  owner->releaseOrder.push_back(this);
  ++releases;
  --references;
  return static_cast<std::uint32_t>(references < 0 ? 0 : references);
}

HRESULT HeadlessDirectDraw::Surface::EnumAttachedSurfaces(void* context, LPDDENUMSURFACESCALLBACK callback) {
  if (this == &owner->primary) {
    for (Surface& surface : owner->attached) {
      ++surface.references;  // the callee owns the reference it is handed
      DDSURFACEDESC description;
      description.dwSize = sizeof(DDSURFACEDESC);
      description.ddsCaps.dwCaps = DDSCAPS_BACKBUFFER;
      if (callback(&surface, &description, context) == DDENUMRET_CANCEL) {
        break;
      }
    }
  }
  return owner->config.enumerateResult;
}

HRESULT HeadlessDirectDraw::Surface::Lock(const RECT* /*rect*/, DDSURFACEDESC* description, std::uint32_t /*flags*/,
                                          void* /*event*/) {
  ++locks;
  if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC)) {
    return DDERR_INVALIDPARAMS;
  }
  const HRESULT result = Next(owner->lockResults);
  if (result != DD_OK) {
    return result;
  }
  locked = true;
  const HeadlessDisplayConfig& config = owner->config;
  description->dwWidth = config.width;
  description->dwHeight = config.height;
  description->lPitch = config.pitch;
  description->lpSurface = memory.data();
  description->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
  description->ddpfPixelFormat.dwRGBBitCount = config.bitCount;
  return DD_OK;
}

HRESULT HeadlessDirectDraw::Surface::Unlock(const RECT* /*rect*/) {
  ++unlocks;
  const bool wasLocked = locked;
  locked = false;
  return wasLocked ? DD_OK : DDERR_INVALIDPARAMS;
}

HRESULT HeadlessDirectDraw::Surface::Flip(IDirectDrawSurface* /*targetOverride*/, std::uint32_t /*flags*/) {
  ++owner->flips;
  if (owner->onFlip) {
    owner->onFlip();
  }
  const HRESULT result = Next(owner->flipResults);
  if (result == DD_OK && !owner->attached.empty()) {
    std::swap(memory, owner->attached[0].memory);
    ++owner->shownFrames;
  }
  return result;
}

HRESULT HeadlessDirectDraw::Surface::Restore() {
  ++owner->restores;
  return Next(owner->restoreResults);
}

std::uint16_t HeadlessDirectDraw::Surface::Pixel(int x, int y) const {
  std::uint16_t value;
  std::memcpy(&value, memory.data() + static_cast<std::size_t>(y) * owner->config.pitch + 2 * x, sizeof(value));
  return value;
}

}  // namespace vantrelle::platform
