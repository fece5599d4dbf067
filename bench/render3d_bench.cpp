// One frame of each 3D scene, the skybox alone and the ring points.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/asset_buffers_startup.h"
#include "assets/build_effect_tables.h"
#include "assets/build_precomputed_tables.h"
#include "assets/mesh.h"
#include "core/fix_mul.h"
#include "core/frame_buffer.h"
#include "core/sin_tables.h"
#include "render3d/build_procedural_meshes.h"
#include "render3d/build_rotation.h"
#include "render3d/build_skybox_cube.h"
#include "render3d/draw_rings.h"
#include "render3d/draw_skybox.h"
#include "render3d/procedural_meshes.h"
#include "render3d/project_points.h"
#include "render3d/render_mesh_scene.h"
#include "render3d/select_visible_faces.h"
#include "render3d/tetrahedra.h"
#include "render3d/transform_points.h"
#include "timeline/bake_track.h"
#include "timeline/keyframe_tracks.h"
#include "timeline/scene_cameras.h"

namespace vantrelle {
namespace {

FrameBuffer Frame{};

// Textures with some variety so that fills are not flat-colour lucky.
void FillTextures() {
  for (std::size_t i = 0; i < StarSkybox.size(); ++i) {
    startup::StarSkybox[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
  }
  for (std::size_t i = 0; i < PlanetSkybox.size(); ++i) {
    startup::PlanetSkybox[i] = static_cast<std::uint16_t>(i * 40503u);
  }
  for (std::size_t i = 0; i < EndTexture.size(); ++i) {
    startup::EndTexture[i] = static_cast<std::uint16_t>(i ^ (i >> 3));
  }
  for (std::size_t i = 0; i < PlanetMapTexture.size(); ++i) {
    startup::PlanetMapTexture[i] = static_cast<std::uint16_t>(i * 7);
  }
}

// A stand-in for the loaded mesh: a 64 x 32 sphere of 1.5 units, 3 units in
// front of the camera of TrackB at c, textured faces (kind 3) on pages 0, 1.
void BuildSyntheticLoadedMesh(const Camera& cam) {
  constexpr int kCols = 64, kRows = 32;
  constexpr int kVerts = kCols * kRows;
  constexpr int kFaces = 2 * kCols * (kRows - 1);
  const Rotation turn = BuildRotation(cam.aroundX, cam.aroundY, cam.aroundZ);
  const std::int32_t ahead = 3 * 65536;
  const std::int32_t centre[3] = {cam.x + FixMul(ahead, turn[6]), cam.y + FixMul(ahead, turn[7]),
                                  cam.z + FixMul(ahead, turn[8])};
  std::int32_t* m = startup::LoadedMesh.data();
  std::fill(startup::LoadedMesh.begin(), startup::LoadedMesh.end(), 0);
  const std::int32_t header[5] = {kVerts, 0, kFaces, 0, kFaces};
  std::copy(header, header + 5, m);
  const MeshLayout layout = LayoutOfMesh(m);
  for (int f = 0; f < kFaces; ++f) m[layout.drawOrder + f] = f;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      const double lat = 3.14159265 * (r + 0.5) / kRows, lon = 2 * 3.14159265 * c / kCols;
      std::int32_t* p = m + layout.positions + 3 * (r * kCols + c);
      p[0] = centre[0] + static_cast<std::int32_t>(98304 * std::sin(lat) * std::sin(lon));
      p[1] = centre[1] + static_cast<std::int32_t>(98304 * std::cos(lat));
      p[2] = centre[2] + static_cast<std::int32_t>(98304 * std::sin(lat) * std::cos(lon));
    }
  }
  int f = 0;
  for (int r = 0; r + 1 < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      const int c1 = (c + 1) % kCols;
      const int quads[2][3] = {{r * kCols + c, (r + 1) * kCols + c, (r + 1) * kCols + c1},
                               {(r + 1) * kCols + c1, r * kCols + c1, r * kCols + c}};
      for (const auto& q : quads) {
        for (int k = 0; k < 3; ++k) {
          m[layout.corners + 3 * f + k] = q[k];
          m[layout.cornerU + 3 * f + k] = 64 * (q[k] % kCols);
          m[layout.cornerV + 3 * f + k] = 128 * (q[k] / kCols);
        }
        m[layout.faceAttributes + f] = ((f & 1) << 16) | 3;
        ++f;
      }
    }
  }
}

// The benchmarks' own tetrahedron meshes; the score keeps its own.
std::array<std::int32_t, kProceduralMeshWords> BenchField{};
std::array<std::int32_t, kProceduralMeshWords> BenchTunnel{};

void SetUpShow() {
  static bool done = false;
  if (done) return;
  done = true;
  BuildSinCosTables();
  BuildPrecomputedTables();
  BakeAllTracks();
  BuildProceduralMeshes();
  BuildEffectTables();
  BuildSkyboxCube();
  FillTextures();
  BuildSyntheticLoadedMesh(StationCamera(0, 7000));
  BuildTetraField(BenchField.data());
  BuildTetraTunnel(BenchTunnel.data());
}

void RenderScene(const std::int32_t* mesh, const MeshMaterial& material, const std::uint16_t* skybox, const Camera& v,
                 MeshMode mode) {
  RenderMeshScene(Frame, v, mesh, material, skybox, MeshBackground::kSkybox, mode);
}

// Faces that survive culling when `mesh` is seen from `v`, as RenderScene draws it.
void CountVisibleFaces(benchmark::State& state, const std::int32_t* mesh, const Camera& v) {
  static std::array<std::int32_t, kMaxMeshVertices * 3> cameraSpace{};
  static std::array<std::int32_t, kMaxMeshVertices * 3> screen{};
  static std::array<std::int32_t, kMaxMeshFaces> out{};
  const MeshLayout layout = LayoutOfMesh(mesh);
  TransformPoints(BuildRotation(v.aroundX, v.aroundY, v.aroundZ), mesh + layout.positions, cameraSpace.data(), v.x, v.y,
                  v.z, layout.vertexCount);
  ProjectPoints(cameraSpace.data(), screen.data(), layout.vertexCount, v.centreX, v.centreY, v.depth);
  state.counters["faces"] =
      SelectVisibleFaces(mesh + layout.drawOrder, screen.data(), mesh + layout.corners, out.data(), layout.faceCount);
}

void BM_Segment8TetraField(benchmark::State& state) {
  SetUpShow();
  const std::int32_t c = 7000;
  for (auto _ : state) {
    AnimateTetraField(BenchField.data(), c);
    RenderScene(BenchField.data(), {.colours = BlueRamp.data()}, StarSkybox.data(), TetraFieldCamera(c),
                MeshMode::kFlat);
    benchmark::DoNotOptimize(Frame.data());
  }
  CountVisibleFaces(state, BenchField.data(), TetraFieldCamera(c));
}
BENCHMARK(BM_Segment8TetraField);

void BM_Segment17TetraTunnel(benchmark::State& state) {
  SetUpShow();
  const std::int32_t c = 500;  // looking down the tunnel
  for (auto _ : state) {
    AnimateTetraTunnel(BenchTunnel.data(), c);
    RenderScene(BenchTunnel.data(), {.colours = RedRamp.data()}, StarSkybox.data(), TetraTunnelCamera(c),
                MeshMode::kFlat);
    benchmark::DoNotOptimize(Frame.data());
  }
  CountVisibleFaces(state, BenchTunnel.data(), TetraTunnelCamera(c));
}
BENCHMARK(BM_Segment17TetraTunnel);

void BM_Segment20Sphere(benchmark::State& state) {
  SetUpShow();
  const std::int32_t c = 14000;  // late in the scene, the planet at its largest
  for (auto _ : state) {
    RenderScene(SphereMesh.data(), {.pages = PlanetMapTexture.data(), .colours = PlanetMapPalette.data()},
                StarSkybox.data(), PlanetSphereCamera(c), MeshMode::kTextured);
    benchmark::DoNotOptimize(Frame.data());
  }
  CountVisibleFaces(state, SphereMesh.data(), PlanetSphereCamera(c));
}
BENCHMARK(BM_Segment20Sphere);

void BM_Segment22TetraSwarm(benchmark::State& state) {
  SetUpShow();
  const std::int32_t c = 7000;
  const Camera camera = TetraSwarmCamera(c);
  for (auto _ : state) {
    AnimateTetraSwarm(BenchField.data(), c);
    RenderScene(BenchField.data(), {.colours = BlueRamp.data()}, PlanetSkybox.data(), camera, MeshMode::kFlat);
    benchmark::DoNotOptimize(Frame.data());
  }
  CountVisibleFaces(state, BenchField.data(), camera);
}
BENCHMARK(BM_Segment22TetraSwarm);

void BM_Segment23LoadedMesh(benchmark::State& state) {
  SetUpShow();
  const Camera camera = StationCamera(0, 7000);
  for (auto _ : state) {
    RenderScene(LoadedMesh.data(), {.pages = EndTexture.data(), .colours = BlueRamp.data()}, PlanetSkybox.data(),
                camera, MeshMode::kPagedTexture);
    benchmark::DoNotOptimize(Frame.data());
  }
  CountVisibleFaces(state, LoadedMesh.data(), camera);
}
BENCHMARK(BM_Segment23LoadedMesh);

void BM_DrawSkybox(benchmark::State& state) {
  SetUpShow();
  const Camera sky = EndSkyCamera(7000);
  for (auto _ : state) {
    DrawSkybox(Frame, BuildRotation(sky.aroundX, sky.aroundY, sky.aroundZ), StarSkybox.data(),
               SkyboxFill::kPerspective);
    benchmark::DoNotOptimize(Frame.data());
  }
}
BENCHMARK(BM_DrawSkybox);

void BM_DrawRings(benchmark::State& state) {
  SetUpShow();
  const std::int32_t t = 30000;
  for (auto _ : state) {
    DrawRings(Frame, RingPoints.data(), -262144, t);
    benchmark::DoNotOptimize(Frame.data());
  }
}
BENCHMARK(BM_DrawRings);

}  // namespace
}  // namespace vantrelle
