#include "timeline/scene_operations.h"

#include "effects/glow.h"
#include "effects/light_rays.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"
#include "effects/text_strip.h"

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

  // Operations not yet built.
  ops.DrawStarSky = DrawStarSky;
  ops.DrawScaledGlow = DrawScaledGlow;
  ops.DrawScaledMasked = DrawScaledMasked;
  ops.DrawLightRays = DrawLightRays;
  NotYetBuilt(ops.DrawRings);
  ops.DrawTextStrip = DrawTextStrip;
  ops.ApplyGlow = ApplyGlow;
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
