#pragma once
// The choices the 3D renderer offers. The score picks only some of them; the
// rest belong to the renderer all the same, are tested, and are marked here.
#include <cstdint>

namespace vantrelle {

// How RenderMeshScene fills the faces; any other value draws no face.
enum class MeshMode : std::int32_t {
  kPagedTexture = 0,  // faces of attribute kind 3, textured from page (attribute >> 16) & 15
  kFlat = 1,          // flat, shaded by the face normal
  kGouraud = 2,       // not in the score: Gouraud, by the vertex normals
  kTextured = 3,      // textured from page 0
  kTexturedLit = 4,   // not in the score: byte texture lit through the light map by the vertex normals
  kNormalMapped = 5,  // not in the score: page 0 mapped by the vertex normals
};

// What RenderMeshScene draws before the mesh.
enum class MeshBackground : std::int32_t {
  kBlack = 0,      // not in the score: clears the frame
  kSkybox = 1,     // the skybox pages around the viewer
  kKeepFrame = 2,  // not in the score: draws over the previous frame
};

// How DrawSkybox fills its faces.
enum class SkyboxFill : std::int32_t {
  kAffine = 0,       // not in the score: FillTextured
  kPerspective = 1,  // FillPerspective
};

}  // namespace vantrelle
