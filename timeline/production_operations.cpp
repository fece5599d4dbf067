#include "timeline/scene_operations.h"

#include "render3d/animate_tetra_field.h"
#include "render3d/animate_tetra_swarm.h"
#include "render3d/animate_tetra_tunnel.h"
#include "render3d/build_rotation.h"
#include "render3d/draw_rings.h"
#include "render3d/draw_skybox.h"
#include "render3d/render_mesh_scene.h"

namespace vantrelle {
namespace {

// Fills a slot with an operation that draws nothing, for modules that have
// not landed yet.
template <typename... Args>
void NotYetBuilt(void (*&slot)(Args...)) {
  slot = [](Args...) {};
}

SceneOperations MakeProductionOperations() {
  SceneOperations ops{};
  ops.DrawRings = DrawRings;
  ops.RenderMeshScene = RenderMeshScene;
  ops.DrawSkybox = DrawSkybox;
  ops.BuildRotation = BuildRotation;
  ops.AnimateTetraField = AnimateTetraField;
  ops.AnimateTetraSwarm = AnimateTetraSwarm;
  ops.AnimateTetraTunnel = AnimateTetraTunnel;

  // Operations not yet built.
  NotYetBuilt(ops.DrawStarSky);
  NotYetBuilt(ops.DrawScaledGlow);
  NotYetBuilt(ops.DrawScaledMasked);
  NotYetBuilt(ops.DrawLightRays);
  NotYetBuilt(ops.DrawTextStrip);
  NotYetBuilt(ops.ApplyGlow);
  NotYetBuilt(ops.DrawZoomPage);
  NotYetBuilt(ops.BlendPicture);
  NotYetBuilt(ops.BlendAlphaPicture);
  NotYetBuilt(ops.DrawRadialTexture);
  NotYetBuilt(ops.DrawClipFrame);
  NotYetBuilt(ops.FadeToWhite);
  NotYetBuilt(ops.FadeToBlack);
  return ops;
}

}  // namespace

const SceneOperations& ProductionOperations() {
  static const SceneOperations ops = MakeProductionOperations();
  return ops;
}

}  // namespace vantrelle
