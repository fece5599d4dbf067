#include "render3d/build_procedural_meshes.h"

#include "render3d/build_sphere.h"
#include "render3d/build_tetra_field.h"
#include "render3d/build_tetra_tunnel.h"
#include "render3d/procedural_meshes.h"

namespace vantrelle {

void BuildProceduralMeshes() {
  BuildTetraField(TetraField.data());
  BuildTetraTunnel(TetraTunnel.data());
  BuildSphere(startup::SphereMesh.data());
}

}  // namespace vantrelle
