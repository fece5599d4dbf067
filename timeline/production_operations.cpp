#include "effects/blend_alpha_picture.h"
#include "effects/blend_picture.h"
#include "effects/clip_frame.h"
#include "effects/glow.h"
#include "effects/light_rays.h"
#include "effects/radial_texture.h"
#include "effects/scaled_glow.h"
#include "effects/scaled_masked.h"
#include "effects/star_sky.h"
#include "effects/text_strip.h"
#include "effects/zoom_page.h"
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
  ops.DrawStarSky = DrawStarSky;
  ops.DrawScaledGlow = DrawScaledGlow;
  ops.DrawScaledMasked = DrawScaledMasked;
  ops.DrawLightRays = DrawLightRays;
  ops.DrawTextStrip = DrawTextStrip;
  ops.ApplyGlow = ApplyGlow;
  ops.DrawZoomPage = DrawZoomPage;
  ops.BlendPicture = BlendPicture;
  ops.BlendAlphaPicture = BlendAlphaPicture;
  ops.DrawRadialTexture = DrawRadialTexture;
  ops.DrawClipFrame = DrawClipFrame;
  ops.FadeToWhite = FadeToWhite;
  ops.FadeToBlack = FadeToBlack;

  // Operations not yet built.
  NotYetBuilt(ops.DrawRings);
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
