#include "render3d/sort_faces_by_depth.h"

#include <array>

#include "assets/mesh.h"
#include "core/wrap.h"

namespace vantrelle {

namespace {

// Scratch, rewritten by every call: the mean corner depth (16.16) per face
// number, the lists the counting passes move faces between, and one pass's
// digit counts and offsets.
struct Scratch {
  std::array<std::int32_t, kMaxMeshFaces> depthKeys{};
  std::array<std::int32_t, kMaxMeshFaces> sortListA{};
  std::array<std::int32_t, kMaxMeshFaces> sortListB{};
  std::array<std::int32_t, 256> digitCounts{};
  std::array<std::int32_t, 256> digitOffsets{};
};
Scratch scratch;

// One stable counting pass over the byte of each key at `shift`.
void ScatterByDigit(const std::int32_t* from, std::int32_t* to, std::int32_t count, int shift) {
  scratch.digitCounts.fill(0);
  for (std::int32_t i = 0; i < count; ++i) {
    ++scratch.digitCounts[(static_cast<std::uint32_t>(scratch.depthKeys[from[i]]) >> shift) & 0xFFu];
  }
  scratch.digitOffsets[0] = 0;
  for (int d = 1; d < 256; ++d) scratch.digitOffsets[d] = scratch.digitOffsets[d - 1] + scratch.digitCounts[d - 1];
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t digit = (static_cast<std::uint32_t>(scratch.depthKeys[from[i]]) >> shift) & 0xFFu;
    to[scratch.digitOffsets[digit]++] = from[i];
  }
}

}  // namespace

void SortFacesByDepth(const std::int32_t* visible, const std::int32_t* screen, const std::int32_t* corners,
                      std::int32_t* out, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t f = visible[i];
    const std::int32_t sum = WrapAdd(WrapAdd(screen[3 * corners[3 * f] + 2], screen[3 * corners[3 * f + 1] + 2]),
                                     screen[3 * corners[3 * f + 2] + 2]);
    scratch.depthKeys[f] = sum / 3;
  }
  // Keys are above 4096, so their bytes as unsigned digits sort numerically.
  ScatterByDigit(visible, scratch.sortListA.data(), count, 0);
  ScatterByDigit(scratch.sortListA.data(), scratch.sortListB.data(), count, 8);
  ScatterByDigit(scratch.sortListB.data(), scratch.sortListA.data(), count, 16);
  ScatterByDigit(scratch.sortListA.data(), scratch.sortListB.data(), count, 24);
  for (std::int32_t i = 0; i < count; ++i) out[i] = scratch.sortListB[count - 1 - i];
}

}  // namespace vantrelle
