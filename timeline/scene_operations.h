#pragma once
// The seam between the scene script and what it draws: a table of the
// operations the timeline calls, in the argument order the script uses; only
// the closing scene's DrawEndScroll is called directly. The show runs on
// ProductionOperations(); tests and benchmarks replace entries to record
// what the score asks for.
#include <cstdint>

#include "core/frame_buffer.h"
#include "effects/layer_setup.h"
#include "render3d/build_rotation.h"
#include "render3d/render_mesh_scene.h"

namespace vantrelle {

struct SceneOperations {
  using i32 = std::int32_t;
  // Opening layers. Positions and sizes of the scaled layers in 1/16 pixel.
  void (*DrawStarSky)(FrameBuffer&, const std::uint8_t* picture, const std::uint16_t* colours, i32 x, i32 y);
  void (*DrawScaledGlow)(FrameBuffer&, const std::uint8_t* alpha, const ScaledLayer& layer);
  void (*DrawScaledMasked)(FrameBuffer&, const std::uint16_t* colours, const std::uint16_t* mask,
                           const ScaledLayer& layer);
  void (*DrawLightRays)(FrameBuffer&, i32 centreColumn, i32 centreRow, i32 mode, i32 threshold);
  // Points are 624 flat x, y, z triples in 16.16; depth in 16.16; t in ms.
  void (*DrawRings)(FrameBuffer&, const i32* points, i32 cameraDepth, i32 t);
  void (*DrawTextStrip)(FrameBuffer&, const std::uint8_t* strip, i32 topRow, i32 blurRadius);
  void (*ApplyGlow)(FrameBuffer&);
  void (*DrawZoomPage)(FrameBuffer&, const std::uint8_t* page, const std::uint16_t* colours, i32 timeInSegment);
  void (*BlendPicture)(FrameBuffer&, const std::uint8_t* picture, const std::uint16_t* colours, i32 level);
  void (*BlendAlphaPicture)(FrameBuffer&, const std::uint16_t* picture, const std::uint8_t* alpha, i32 width,
                            i32 leftColumn);
  void (*DrawRadialTexture)(FrameBuffer&, const std::uint16_t* texture, i32 t);
  void (*DrawClipFrame)(FrameBuffer&, const std::uint8_t* frames, const std::uint16_t* colours, i32 frameCount,
                        i32 timeInSegment);
  void (*RenderMeshScene)(FrameBuffer&, const Camera& camera, const i32* mesh, const MeshMaterial& material,
                          const std::uint16_t* skybox, i32 background, i32 mode);
  Rotation (*BuildRotation)(i32 a, i32 b, i32 c);
  void (*DrawSkybox)(FrameBuffer&, const Rotation&, const std::uint16_t* skybox, i32 perspective);
  void (*AnimateTetraField)(i32* mesh, i32 timeInSegment);
  void (*AnimateTetraSwarm)(i32* mesh, i32 timeInSegment);
  void (*AnimateTetraTunnel)(i32* mesh, i32 timeInSegment);
  void (*FadeToWhite)(FrameBuffer&, i32 level);
  void (*FadeToBlack)(FrameBuffer&, i32 level);
};

// The operations the show draws with.
const SceneOperations& ProductionOperations();

}  // namespace vantrelle
