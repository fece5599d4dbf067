#include "render3d/build_procedural_meshes.h"

#include "render3d/build_sphere.h"
#include "render3d/procedural_meshes.h"

namespace vantrelle {

void BuildProceduralMeshes() { BuildSphere(startup::SphereMesh.data()); }

}  // namespace vantrelle
