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
#include "render3d/build_rotation.h"
#include "render3d/draw_rings.h"
#include "render3d/draw_skybox.h"
#include "render3d/render_mesh_scene.h"
#include "render3d/tetrahedra.h"
#include "timeline/fades.h"
#include "timeline/scene_operations.h"

namespace vantrelle {
namespace {

SceneOperations MakeProductionOperations() {
  SceneOperations ops{};
  ops.DrawStarSky = DrawStarSky;
  ops.DrawScaledGlow = DrawScaledGlow;
  ops.DrawScaledMasked = DrawScaledMasked;
  ops.DrawLightRays = DrawLightRays;
  ops.DrawRings = DrawRings;
  ops.DrawTextStrip = DrawTextStrip;
  ops.ApplyGlow = ApplyGlow;
  ops.DrawZoomPage = DrawZoomPage;
  ops.BlendPicture = BlendPicture;
  ops.BlendAlphaPicture = BlendAlphaPicture;
  ops.DrawRadialTexture = DrawRadialTexture;
  ops.DrawClipFrame = DrawClipFrame;
  ops.RenderMeshScene = RenderMeshScene;
  ops.BuildRotation = BuildRotation;
  ops.DrawSkybox = DrawSkybox;
  ops.AnimateTetraField = AnimateTetraField;
  ops.AnimateTetraSwarm = AnimateTetraSwarm;
  ops.AnimateTetraTunnel = AnimateTetraTunnel;
  ops.FadeToWhite = FadeToWhite;
  ops.FadeToBlack = FadeToBlack;
  return ops;
}

}  // namespace

const SceneOperations& ProductionOperations() {
  static const SceneOperations ops = MakeProductionOperations();
  return ops;
}

}  // namespace vantrelle
