#include "render3d/sort_faces_by_depth.h"

#include <array>

#include "assets/mesh.h"
#include "core/wrap.h"

namespace vantrelle {

namespace {

// Mean corner depth (16.16) per face number; scratch, rewritten by every call.
std::array<std::int32_t, kMaxMeshFaces> DepthKeys{};

std::array<std::int32_t, kMaxMeshFaces> SortListA{};
std::array<std::int32_t, kMaxMeshFaces> SortListB{};
std::array<std::int32_t, 256> DigitCounts{};
std::array<std::int32_t, 256> DigitOffsets{};

// One stable counting pass over the byte of each key at `shift`.
void ScatterByDigit(const std::int32_t* from, std::int32_t* to, std::int32_t count, int shift) {
  DigitCounts.fill(0);
  for (std::int32_t i = 0; i < count; ++i) {
    ++DigitCounts[(static_cast<std::uint32_t>(DepthKeys[from[i]]) >> shift) & 0xFFu];
  }
  DigitOffsets[0] = 0;
  for (int d = 1; d < 256; ++d) DigitOffsets[d] = DigitOffsets[d - 1] + DigitCounts[d - 1];
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t digit = (static_cast<std::uint32_t>(DepthKeys[from[i]]) >> shift) & 0xFFu;
    to[DigitOffsets[digit]++] = from[i];
  }
}

}  // namespace

void SortFacesByDepth(const std::int32_t* visible, const std::int32_t* screen, const std::int32_t* corners,
                      std::int32_t* out, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t f = visible[i];
    const std::int32_t sum = WrapAdd(WrapAdd(screen[3 * corners[3 * f] + 2], screen[3 * corners[3 * f + 1] + 2]),
                                     screen[3 * corners[3 * f + 2] + 2]);
    DepthKeys[f] = sum / 3;
  }
  // Keys are above 4096, so their bytes as unsigned digits sort numerically.
  ScatterByDigit(visible, SortListA.data(), count, 0);
  ScatterByDigit(SortListA.data(), SortListB.data(), count, 8);
  ScatterByDigit(SortListB.data(), SortListA.data(), count, 16);
  ScatterByDigit(SortListA.data(), SortListB.data(), count, 24);
  for (std::int32_t i = 0; i < count; ++i) out[i] = SortListB[count - 1 - i];
}

}  // namespace vantrelle
