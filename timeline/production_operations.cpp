#include "timeline/fades.h"
#include "timeline/scene_operations.h"

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
  ops.FadeToWhite = FadeToWhite;
  ops.FadeToBlack = FadeToBlack;

  // Operations not yet built.
  NotYetBuilt(ops.DrawStarSky);
  NotYetBuilt(ops.DrawScaledGlow);
  NotYetBuilt(ops.DrawScaledMasked);
  NotYetBuilt(ops.DrawLightRays);
  NotYetBuilt(ops.DrawRings);
  NotYetBuilt(ops.DrawTextStrip);
  NotYetBuilt(ops.ApplyGlow);
  NotYetBuilt(ops.DrawZoomPage);
  NotYetBuilt(ops.BlendPicture);
  NotYetBuilt(ops.BlendAlphaPicture);
  NotYetBuilt(ops.DrawRadialTexture);
  NotYetBuilt(ops.DrawClipFrame);
  NotYetBuilt(ops.RenderMeshScene);
  NotYetBuilt(ops.DrawSkybox);
  NotYetBuilt(ops.BuildRotation);
  NotYetBuilt(ops.AnimateTetraField);
  NotYetBuilt(ops.AnimateTetraSwarm);
  NotYetBuilt(ops.AnimateTetraTunnel);
  return ops;
}

}  // namespace

const SceneOperations& ProductionOperations() {
  static const SceneOperations ops = MakeProductionOperations();
  return ops;
}

}  // namespace vantrelle
