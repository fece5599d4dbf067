#include "render3d/build_procedural_meshes.h"

#include "render3d/build_sphere.h"
#include "render3d/procedural_meshes.h"
#include "render3d/tetrahedra.h"

namespace vantrelle {

void BuildProceduralMeshes() {
  BuildSphere(startup::SphereMesh.data());
  BuildTetraField(TetraField.data());
  BuildTetraTunnel(TetraTunnel.data());
}

}  // namespace vantrelle
