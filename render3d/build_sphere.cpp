#include "render3d/build_sphere.h"

#include "assets/mesh.h"
#include "core/fix_mul.h"
#include "core/sin_tables.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kRings = 16;
constexpr std::int32_t kColumns = 16;
constexpr std::int32_t kLatitudeStep = 129;   // ring 15 at 1935, about 170 degrees
constexpr std::int32_t kLongitudeStep = 256;  // 4096 / 16 columns
constexpr std::int32_t kTexStep = 256;        // 16 texels in 1/16 texel

}  // namespace

void BuildSphere(std::int32_t* mesh) {
  constexpr std::int32_t kFaces = 2 * (kRings - 1) * kColumns;  // 480
  mesh[kVertexCountWord] = kRings * kColumns;
  mesh[kVertexNormalCountWord] = 0;
  mesh[kFaceCountWord] = kFaces;
  mesh[kFaceNormalCountWord] = 0;
  mesh[kUvFaceCountWord] = kFaces;
  for (int w = kUvFaceCountWord + 1; w < kMeshHeaderWords; ++w) mesh[w] = 0;
  const MeshLayout layout = LayoutOfMesh(mesh);
  for (std::int32_t f = 0; f < kFaces; ++f) mesh[layout.drawOrder + f] = f;

  for (std::int32_t r = 0; r < kRings; ++r) {
    const std::int32_t p = kLatitudeStep * r;
    for (std::int32_t c = 0; c < kColumns; ++c) {
      const std::int32_t q = kLongitudeStep * c;
      std::int32_t* v = mesh + layout.positions + 3 * (kColumns * r + c);
      v[0] = FixMul(Sin(q), Sin(p));
      v[1] = Cos(p);
      v[2] = FixMul(Cos(q), Sin(p));
    }
  }

  std::int32_t f = 0;
  for (std::int32_t r = 0; r < kRings - 1; ++r) {
    for (std::int32_t c = 0; c < kColumns; ++c) {
      const std::int32_t c1 = (c + 1) & (kColumns - 1);
      const std::int32_t top = kColumns * r;
      const std::int32_t bottom = kColumns * (r + 1);
      const std::int32_t uL = kTexStep * c, uR = kTexStep * (c + 1);  // uR reaches 4096 = column 0
      const std::int32_t vT = kTexStep * r, vB = kTexStep * (r + 1);
      const std::int32_t faces[2][3] = {{top + c, bottom + c, bottom + c1}, {bottom + c1, top + c1, top + c}};
      const std::int32_t us[2][3] = {{uL, uL, uR}, {uR, uR, uL}};
      const std::int32_t vs[2][3] = {{vT, vB, vB}, {vB, vT, vT}};
      for (int t = 0; t < 2; ++t, ++f) {
        for (int i = 0; i < 3; ++i) {
          mesh[layout.corners + 3 * f + i] = faces[t][i];
          mesh[layout.cornerU + 3 * f + i] = us[t][i];
          mesh[layout.cornerV + 3 * f + i] = vs[t][i];
        }
      }
    }
  }
}

}  // namespace vantrelle
