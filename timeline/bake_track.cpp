#include "timeline/bake_track.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/bit_cast.h"

namespace vantrelle {
namespace {

// Swarm rotation: only the angles move.
constexpr TrackKey kKeysA[] = {
    {0, 0, 0, -256, 192, 0},  {0, 0, 0, -256, 224, 0},  {0, 0, 0, -256, 256, 0},  {0, 0, 0, -256, 272, 0},
    {0, 0, 0, -256, 288, 0},  {0, 0, 0, -256, 304, 0},  {0, 0, 0, -256, 320, 0},  {0, 0, 0, -288, 352, 0},
    {0, 0, 0, -336, 384, 0},  {0, 0, 0, -336, 1728, 0}, {0, 0, 0, -272, 1760, 0}, {0, 0, 0, -240, 1792, 0},
    {0, 0, 0, -192, 1808, 0}, {0, 0, 0, -80, 1824, 0},  {0, 0, 0, -48, 1840, 0},  {0, 0, 0, 0, 1856, 0},
    {0, 0, 0, 0, 1872, 0},    {0, 0, 0, 0, 1888, 0},    {0, 0, 0, 0, 1904, 0},
};

// Fly-in to the loaded mesh and one circle around it.
constexpr TrackKey kKeysB[] = {
    {-8, 24, -64, 128, 512, 0},      {-6, 18, -58, 112, 256, 64},    {-3, 14, -50, 96, 128, 128},
    {-1, 10, -48, 64, 64, 96},       {0, 5, -40, 48, 0, 16},         {0, 0, -36, 32, 0, 0},
    {0, 0, -32, 16, 0, -16},         {0, 0, -28, 0, 0, -48},         {0, 0, -24, 0, 0, -48},
    {18, 0, -18, -80, -512, -32},    {24, -4, 0, -128, -1024, 0},    {12, -8, 12, -192, -1536, 0},
    {0, -8, 18, -192, -2048, 16},    {-12, -8, 12, -224, -2560, 64}, {-18, -8, 0, -192, -3072, 32},
    {-12, -8, -12, -160, -3584, 16}, {6, -4, -18, -128, -4096, 0},   {8, -4, -18, 0, -4352, 0},
    {8, -4, -18, 0, -4352, 0},
};

// A slow orbit at constant height.
constexpr TrackKey kKeysC[] = {
    {0, -10, 16, -256, 2048, 0},     {0, -10, 16, -256, 2016, 32},   {-10, -10, 10, -256, 1568, 80},
    {-16, -10, 0, -256, 1072, 48},   {-10, -10, -14, -256, 480, 0},  {0, -10, -20, -256, 0, 0},
    {10, -10, -14, -256, -544, -80}, {16, -10, 0, -256, -1088, -48}, {10, -10, 10, -256, -1536, 0},
    {0, -10, 16, -256, -2048, 0},    {0, -10, 16, -256, -2048, 0},
};

}  // namespace

void BakeTrack(Track& output, std::span<const TrackKey> keys, int segmentCount, int stepsPerSegment) {
  // 65536 / 6 and 1 / 6 by bit pattern: the basis weights sum to 6.
  const double positionScale = BitCast<double>(std::uint64_t{0x40C5555555555555});
  const double angleScale = BitCast<double>(std::uint64_t{0x3FC5555555555555});
  const int segments = std::min<int>(segmentCount, static_cast<int>(keys.size()) - 3);
  const double step = 1.0 / stepsPerSegment;
  std::size_t n = 0;
  for (int s = 0; s < segments; ++s) {
    const TrackKey& p0 = keys[s];
    const TrackKey& p1 = keys[s + 1];
    const TrackKey& p2 = keys[s + 2];
    const TrackKey& p3 = keys[s + 3];
    // w is accumulated, not recomputed: with 1848 steps it falls short of 1.0
    // and a segment yields 1849 samples, which the show's timing relies on.
    double w = 0.0;
    do {
      const double w2 = w * w;
      const double w3 = w2 * w;
      const double t1 = w * 3.0;
      const double t2 = w2 * 3.0;
      const double t3 = w3 * 3.0;
      const double b0 = ((1.0 - t1) + t2) - w3;
      const double b1 = (4.0 - w2 * 6.0) + t3;
      const double b2 = ((t2 + t1) + 1.0) - t3;
      const double b3 = w3;
      double sum[6];
      for (int m = 0; m < 6; ++m) {
        sum[m] = ((b2 * p2[m] + b3 * p3[m]) + b0 * p0[m]) + b1 * p1[m];
      }
      if (n < output.size()) {
        TrackSample& sample = output[n++];
        sample.x = static_cast<std::int32_t>(std::floor(sum[0] * positionScale));
        sample.y = static_cast<std::int32_t>(std::floor(sum[1] * positionScale));
        sample.z = static_cast<std::int32_t>(std::floor(sum[2] * positionScale));
        sample.aroundX = static_cast<std::int32_t>(std::floor(sum[3] * angleScale)) & 4095;
        sample.aroundY = static_cast<std::int32_t>(std::floor(sum[4] * angleScale)) & 4095;
        sample.aroundZ = static_cast<std::int32_t>(std::floor(sum[5] * angleScale)) & 4095;
      }
      w = w + step;
    } while (w < 1.0);
  }
}

void BakeAllTracks() {
  BakeTrack(startup::TrackA, kKeysA, 16, 924);
  BakeTrack(startup::TrackB, kKeysB, 16, 924);
  BakeTrack(startup::TrackC, kKeysC, 8, 1848);
}

}  // namespace vantrelle
