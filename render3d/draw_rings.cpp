#include "render3d/draw_rings.h"

#include <array>

#include "assets/precomputed_tables.h"
#include "core/simd.h"
#include "render3d/build_rotation.h"
#include "render3d/draw_glow_sprite.h"
#include "render3d/project_points.h"
#include "render3d/transform_points.h"

namespace vantrelle {

namespace {

constexpr std::int32_t kRingPointCount = 624;  // 39 rings of 16
constexpr std::int32_t kNearestDepth = 384;    // Z >> 8; nearer blobs would fill the screen
constexpr std::int32_t kBlobScale = 393216;    // 96 pixels x16 at one unit, over Z >> 8

// Scratch, rewritten by every call: 400 x 240 blob intensities, and the ring
// points in camera space (16.16) and on screen (X, Y x16; Z 16.16).
struct Scratch {
  std::array<std::uint8_t, kFramePixels> pointIntensityBuffer{};
  std::array<std::int32_t, kRingPointCount * 3> cameraPoints{};
  std::array<std::int32_t, kRingPointCount * 3> screenPoints{};
};
Scratch scratch;

}  // namespace

void DrawRings(FrameBuffer& frame, const std::int32_t* points, std::int32_t cameraDepth, std::int32_t t) {
  scratch.pointIntensityBuffer.fill(0);
  TransformPoints(BuildRotation(t / 2, t / 3, t), points, scratch.cameraPoints.data(), 0, 0, 0, kRingPointCount);
  ProjectPoints(scratch.cameraPoints.data(), scratch.screenPoints.data(), kRingPointCount, kFrameCentreX16,
                kFrameCentreY16, cameraDepth);
  for (std::int32_t i = 0; i < kRingPointCount; ++i) {
    const std::int32_t* p = scratch.screenPoints.data() + 3 * i;
    const std::int32_t d = p[2] >> 8;
    if (d <= kNearestDepth) continue;
    const std::int32_t size = kBlobScale / d;
    DrawGlowSprite(scratch.pointIntensityBuffer.data(), GlowSprite.data(), p[0], p[1], size, size);
  }
  // The ramp turned round once, so that each pixel costs a single look-up,
  // eight looked up into one vector (the frame is a multiple of eight).
  std::array<std::uint16_t, 256> shade{};
  for (std::size_t i = 0; i < shade.size(); ++i) shade[i] = GreyRamp[255 - i];
  const std::uint8_t* sums = scratch.pointIntensityBuffer.data();
  static_assert(kFramePixels % simd::kLanes == 0);
  for (std::int32_t i = 0; i < kFramePixels; i += simd::kLanes) {
    simd::Store(frame.data() + i, simd::LookUpWords(shade.data(), sums + i));
  }
}

}  // namespace vantrelle
