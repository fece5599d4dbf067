#include "render3d/select_visible_faces.h"

#include "core/wrap.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kScreenRight = 6400;   // 400 pixels x16
constexpr std::int32_t kScreenBottom = 3840;  // 240 pixels x16
constexpr std::int32_t kNearZ = 4096;         // 1/16 unit in front of the eye

}  // namespace

std::int32_t SelectVisibleFaces(const std::int32_t* order, const std::int32_t* screen, const std::int32_t* corners,
                                std::int32_t* out, std::int32_t faceCount) {
  std::int32_t kept = 0;
  for (std::int32_t i = 0; i < faceCount; ++i) {
    const std::int32_t f = order[i];
    const std::int32_t* a = screen + 3 * corners[3 * f];
    const std::int32_t* b = screen + 3 * corners[3 * f + 1];
    const std::int32_t* c = screen + 3 * corners[3 * f + 2];
    if (a[0] < 0 && b[0] < 0 && c[0] < 0) continue;
    if (a[0] >= kScreenRight && b[0] >= kScreenRight && c[0] >= kScreenRight) continue;
    if (a[1] < 0 && b[1] < 0 && c[1] < 0) continue;
    if (a[1] >= kScreenBottom && b[1] >= kScreenBottom && c[1] >= kScreenBottom) continue;
    // (B - A) x (C - A) with Y down: clockwise corners give a value >= 0. The
    // products are taken in 64 bits so that big faces near the eye keep
    // their true sign.
    const std::int64_t cross = std::int64_t{WrapSub(c[0], a[0])} * std::int64_t{WrapSub(c[1], b[1])} -
                               std::int64_t{WrapSub(c[1], a[1])} * std::int64_t{WrapSub(c[0], b[0])};
    if (cross < 0) continue;
    if (a[2] <= kNearZ || b[2] <= kNearZ || c[2] <= kNearZ) continue;
    out[kept++] = f;
  }
  return kept;
}

}  // namespace vantrelle
