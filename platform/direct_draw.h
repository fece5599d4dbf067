#pragma once
// Stands in for the handheld's DirectDraw: a display object, a primary
// surface with one back buffer that flip, and locking for direct pixel access.
// Result codes, flags and capability bits are the handheld's own values.
#include <cstdint>

#include "platform/window_manager.h"

namespace vantrelle::platform {

using HRESULT = std::int32_t;

inline constexpr HRESULT DD_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
inline constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021Cu);
inline constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601B0u);
inline constexpr HRESULT DDERR_NODIRECTDRAWHW = static_cast<HRESULT>(0x887600FFu);

inline constexpr std::uint32_t DDSCL_FULLSCREEN = 1;
inline constexpr std::uint32_t DDSD_CAPS = 0x1;
inline constexpr std::uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
inline constexpr std::uint32_t DDSCAPS_BACKBUFFER = 0x2;
inline constexpr std::uint32_t DDSCAPS_FLIP = 0x4;
inline constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x40;
inline constexpr std::uint32_t DDLOCK_WAITNOTBUSY = 8;
inline constexpr HRESULT DDENUMRET_CANCEL = 0;
inline constexpr HRESULT DDENUMRET_OK = 1;

struct DDSCAPS {
  std::uint32_t dwCaps = 0;
};

struct DDPIXELFORMAT {
  std::uint32_t dwSize = 0;
  std::uint32_t dwFlags = 0;
  std::uint32_t dwRGBBitCount = 0;
  std::uint32_t dwRBitMask = 0;
  std::uint32_t dwGBitMask = 0;
  std::uint32_t dwBBitMask = 0;
};

// A surface description: filled in for CreateSurface and by Lock.
// dwSize must hold sizeof(DDSURFACEDESC) on every call.
struct DDSURFACEDESC {
  std::uint32_t dwSize = 0;
  std::uint32_t dwFlags = 0;
  std::uint32_t dwHeight = 0;
  std::uint32_t dwWidth = 0;
  std::int32_t lPitch = 0;  // bytes from one surface row to the next
  std::uint32_t dwBackBufferCount = 0;
  void* lpSurface = nullptr;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};

// What the display driver (or its emulation) can do. dwSize must hold sizeof(DDCAPS).
struct DDCAPS {
  std::uint32_t dwSize = 0;
  std::uint32_t dwCaps = 0;
  DDSCAPS ddsCaps;
};

struct RECT {
  std::int32_t left, top, right, bottom;
};

class IDirectDrawSurface;
// Called once per attached surface; returns DDENUMRET_OK to go on, DDENUMRET_CANCEL to stop.
using LPDDENUMSURFACESCALLBACK = HRESULT (*)(IDirectDrawSurface* surface, DDSURFACEDESC* description, void* context);

class IDirectDrawSurface {
 public:
  // Drops one reference to the surface; returns the references left.
  virtual std::uint32_t Release() = 0;
  // Hands each attached surface (with a reference the callee keeps) to the callback until it stops.
  virtual HRESULT EnumAttachedSurfaces(void* context, LPDDENUMSURFACESCALLBACK callback) = 0;
  // Locks the pixels (whole surface when rect is null); fills pitch, pointer and pixel format.
  virtual HRESULT Lock(const RECT* rect, DDSURFACEDESC* description, std::uint32_t flags, void* event) = 0;
  // Ends direct access begun by Lock.
  virtual HRESULT Unlock(const RECT* rect) = 0;
  // Shows the back buffer and makes the shown picture the new back buffer.
  virtual HRESULT Flip(IDirectDrawSurface* targetOverride, std::uint32_t flags) = 0;
  // Gives a lost surface its memory back (contents undefined).
  virtual HRESULT Restore() = 0;

 protected:
  ~IDirectDrawSurface() = default;
};

class IDirectDraw {
 public:
  // Drops one reference to the display object; returns the references left.
  virtual std::uint32_t Release() = 0;
  // Takes the display for the window (DDSCL_FULLSCREEN: the whole screen).
  virtual HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) = 0;
  // Fills the driver's and the emulation's capabilities.
  virtual HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) = 0;
  // Creates a surface as described (the primary surface with its back buffers).
  virtual HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void* outer) = 0;

 protected:
  ~IDirectDraw() = default;
};

// The display driver module: its one exported entry.
class DirectDrawDriver {
 public:
  virtual ~DirectDrawDriver() = default;
  // Opens the display; driverGuid null for the default display, outer must be null.
  virtual HRESULT DirectDrawCreate(const void* driverGuid, IDirectDraw** directDraw, void* outer) = 0;
};

}  // namespace vantrelle::platform
