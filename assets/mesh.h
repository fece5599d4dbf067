#pragma once
// The Mesh record: a flat block of signed 32-bit words. An 8-word header of
// counts is followed by the arrays, packed in a fixed order:
//   drawOrder[F], positions[3V], vertexNormals[3N], corners[3F],
//   cornerU[3E], cornerV[3E], faceNormals[3G], faceAttributes[F] (if any).
// Positions and normals are 16.16, texture coordinates 1/16 texel.
#include <array>
#include <cstdint>

namespace vantrelle {

inline constexpr int kMeshHeaderWords = 8;
inline constexpr int kMaxMeshVertices = 8192;  // the renderer's working arrays
inline constexpr int kMaxMeshFaces = 4096;

// Face attribute kind (attribute & 15) drawn textured from page (attribute >> 16) & 15.
inline constexpr std::int32_t kTexturedKind = 3;

enum MeshHeaderWord : int {
  kVertexCountWord = 0,
  kVertexNormalCountWord = 1,
  kFaceCountWord = 2,
  kFaceNormalCountWord = 3,
  kUvFaceCountWord = 4,
};

// Word offsets of each array inside a record, derived from its header.
struct MeshLayout {
  std::int32_t vertexCount = 0;
  std::int32_t vertexNormalCount = 0;
  std::int32_t faceCount = 0;
  std::int32_t faceNormalCount = 0;
  std::int32_t uvFaceCount = 0;
  std::int32_t drawOrder = 0;
  std::int32_t positions = 0;
  std::int32_t vertexNormals = 0;
  std::int32_t corners = 0;
  std::int32_t cornerU = 0;
  std::int32_t cornerV = 0;
  std::int32_t faceNormals = 0;
  std::int32_t faceAttributes = 0;
  std::int32_t end = 0;  // one past the last array word, attributes excluded
};

// Reads the header of `mesh` and places the arrays. Counts must be within
// the renderer's limits (the loader and builders guarantee it).
constexpr MeshLayout LayoutOfMesh(const std::int32_t* mesh) {
  MeshLayout layout;
  layout.vertexCount = mesh[kVertexCountWord];
  layout.vertexNormalCount = mesh[kVertexNormalCountWord];
  layout.faceCount = mesh[kFaceCountWord];
  layout.faceNormalCount = mesh[kFaceNormalCountWord];
  layout.uvFaceCount = mesh[kUvFaceCountWord];
  layout.drawOrder = kMeshHeaderWords;
  layout.positions = layout.drawOrder + layout.faceCount;
  layout.vertexNormals = layout.positions + 3 * layout.vertexCount;
  layout.corners = layout.vertexNormals + 3 * layout.vertexNormalCount;
  layout.cornerU = layout.corners + 3 * layout.faceCount;
  layout.cornerV = layout.cornerU + 3 * layout.uvFaceCount;
  layout.faceNormals = layout.cornerV + 3 * layout.uvFaceCount;
  layout.faceAttributes = layout.faceNormals + 3 * layout.faceNormalCount;
  layout.end = layout.faceAttributes;
  return layout;
}

inline constexpr int kLoadedMeshWords = 262144;  // LoadedMesh (asset_buffers.h)
inline constexpr int kProceduralMeshWords = 65536;

}  // namespace vantrelle
