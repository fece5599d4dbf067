#include "render3d/build_tetra_field.h"

#include "core/sin_tables.h"
#include "core/wrap.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void BuildTetraField(std::int32_t* mesh) {
  WriteTetraTopology(mesh);
  for (std::int32_t k = 0; k < kTetraCount; ++k) {
    PlaceRestingTetra(mesh, k, Sin(149 * k) >> 1, Cos(197 * k) >> 1, WrapShl(Sin(512 * k), 1));
  }
}

}  // namespace vantrelle
