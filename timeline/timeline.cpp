#include "timeline/timeline.h"

#include <array>

#include "assets/asset_buffers.h"
#include "assets/effect_tables.h"
#include "assets/mesh.h"
#include "assets/precomputed_tables.h"
#include "effects/blend_alpha_picture.h"
#include "effects/blend_picture.h"
#include "effects/clip_frame.h"
#include "effects/end_scroll.h"
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
#include "render3d/procedural_meshes.h"
#include "render3d/render_mesh_scene.h"
#include "render3d/tetrahedra.h"
#include "timeline/fades.h"
#include "timeline/scene_cameras.h"

namespace vantrelle {
namespace {

constexpr DemoClock kTwoBeats = 2 * kBeatMs;
constexpr DemoClock kFourBeats = 4 * kBeatMs;

struct Scene {
  DemoClock t;              // ms since the music started
  DemoClock timeInSegment;  // ms since the segment began
  int variant;              // which strip, page or portrait
};

using SceneDrawer = void (*)(FrameBuffer&, const Scene&);

enum class Fade { kNone, kFromBlack, kFromWhite, kToWhite, kToBlack };

struct Segment {
  SegmentInfo info;
  SceneDrawer draw;
  int variant;
  Fade fadeIn;
  DemoClock fadeInMs;
  Fade fadeOut;  // over the segment's last fadeOutMs
  DemoClock fadeOutMs;
};

// --- Opening: star sky, glow disc, planet, rays ----------------------------

void DrawOpening(FrameBuffer& frame, const Scene& s) {
  const OpeningLayout layout = OpeningLayoutAt(s.t);
  DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 0, layout.starSkyRow);
  DrawScaledGlow(frame, GlowDisc.data(), layout.glow);
  DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(), layout.planet);
  DrawLightRays(frame, layout.rays.centreColumn, layout.rays.centreRow, layout.rays.mode, layout.rays.threshold);
}

// --- Rings under the six intro text lines ------------------------------------

struct TextLine {
  std::int32_t topRow;
  bool longBlur;  // the 7392 ms segments use the long ramp
};
constexpr std::array<TextLine, 6> kTextLines = {{
    {88, true},
    {64, false},
    {112, false},
    {64, false},
    {112, false},
    {88, true},
}};

std::int32_t RingCameraDepth(const Scene& s) {
  // Flies in over the first text line, holds, and flies out over the last.
  if (s.variant == 0) return 669248 - 42 * s.t;
  if (s.variant == 5) return 42 * s.t - 1814464;
  return -262144;  // -4.0 units
}

void DrawRingsAndText(FrameBuffer& frame, const Scene& s) {
  const TextLine& line = kTextLines[s.variant];
  DrawRings(frame, RingPoints.data(), RingCameraDepth(s), s.t);
  const std::int32_t radius = line.longBlur ? TextBlurLong[s.timeInSegment] : TextBlurShort[s.timeInSegment];
  DrawTextStrip(frame, IntroTextPages.data() + kIntroStripBytes * s.variant, line.topRow, radius);
}

// --- 3D scenes -------------------------------------------------------------

// The flat scenes are handed the XOR pattern as their texture; flat faces never read it.
MeshMaterial FlatShades(const std::uint16_t* shades) {
  return {.indexPages = XorTexture(), .colours = shades, .lightMap = LightMap.data()};
}

MeshMaterial TexturePages(const std::uint16_t* pages, const std::uint16_t* colours) {
  return {.pages = pages, .colours = colours, .lightMap = LightMap.data()};
}

// Every 3D scene draws its skybox behind the mesh and looks through the
// frame's centre, the camera's default.
void RenderScene(FrameBuffer& frame, const Camera& camera, const std::int32_t* mesh, const MeshMaterial& material,
                 const std::uint16_t* skybox, MeshMode mode) {
  RenderMeshScene(frame, camera, mesh, material, skybox, MeshBackground::kSkybox, mode);
}

void DrawTetraField(FrameBuffer& frame, const Scene& s) {
  AnimateTetraField(TetraField.data(), s.timeInSegment);
  RenderScene(frame, TetraFieldCamera(s.timeInSegment), TetraField.data(), FlatShades(BlueRamp.data()),
              StarSkybox.data(), MeshMode::kFlat);
  ApplyGlow(frame);
}

void DrawTetraTunnel(FrameBuffer& frame, const Scene& s) {
  AnimateTetraTunnel(TetraTunnel.data(), s.timeInSegment);
  RenderScene(frame, TetraTunnelCamera(s.timeInSegment), TetraTunnel.data(), FlatShades(RedRamp.data()),
              StarSkybox.data(), MeshMode::kFlat);
  ApplyGlow(frame);
}

void DrawPlanetSphere(FrameBuffer& frame, const Scene& s) {
  RenderScene(frame, PlanetSphereCamera(s.timeInSegment), SphereMesh.data(),
              TexturePages(PlanetMapTexture.data(), PlanetMapPalette.data()), StarSkybox.data(), MeshMode::kTextured);
  ApplyGlow(frame);
}

void DrawTetraFieldUnderPlanet(FrameBuffer& frame, const Scene& s) {
  AnimateTetraField(TetraField.data(), s.timeInSegment);
  RenderScene(frame, FieldUnderPlanetCamera(s.timeInSegment), TetraField.data(), FlatShades(BlueRamp.data()),
              PlanetStarSkybox.data(), MeshMode::kFlat);
  ApplyGlow(frame);
}

void DrawTetraSwarm(FrameBuffer& frame, const Scene& s) {
  AnimateTetraSwarm(TetraField.data(), s.timeInSegment);
  RenderScene(frame, TetraSwarmCamera(s.timeInSegment), TetraField.data(), FlatShades(BlueRamp.data()),
              PlanetSkybox.data(), MeshMode::kFlat);
}

void DrawLoadedMesh(FrameBuffer& frame, const Scene& s) {
  RenderScene(frame, StationCamera(s.variant, s.timeInSegment), LoadedMesh.data(),
              TexturePages(EndTexture.data(), BlueRamp.data()), PlanetSkybox.data(), MeshMode::kPagedTexture);
}

// --- Credits, portraits, clip ------------------------------------------------

void DrawCreditsPage(FrameBuffer& frame, const Scene& s) {
  DrawZoomPage(frame, CreditsPages.data() + kPageBytes * s.variant, GreyRamp.data(), s.timeInSegment);
}

struct Portrait {
  const std::uint16_t* picture;
  const std::uint8_t* alpha;
};

void DrawRadialWithPortrait(FrameBuffer& frame, const Scene& s) {
  const std::array<Portrait, 4> portraits = {{
      {FaceDPicture.data(), FaceDAlpha.data()},
      {FaceAPicture.data(), FaceAAlpha.data()},
      {FaceCPicture.data(), FaceCAlpha.data()},
      {FaceBPicture.data(), FaceBAlpha.data()},
  }};
  const Portrait& p = portraits[s.variant];
  DrawRadialTexture(frame, RadialTexture.data(), s.t);
  BlendAlphaPicture(frame, p.picture, p.alpha, 140, 260);  // the right-most 140 columns
}

void DrawClipWithGreetings(FrameBuffer& frame, const Scene& s) {
  DrawClipFrame(frame, ClipFrames.data(), BlueRamp.data(), kClipFrameCount, s.timeInSegment);
  // One greeting page every four beats, dissolving into the clip over two.
  for (int k = 0; k < 15; ++k) {
    const std::int32_t start = 104874 + kFourBeats * k;
    if (s.t >= start && s.t < start + kTwoBeats) {
      BlendPicture(frame, GreetsPages.data() + kPageBytes * k, GreyRamp.data(),
                   256 + (256 * (start - s.t)) / kTwoBeats);
    }
  }
}

// --- End: turning star sky under the scroll ------------------------------------

void DrawEnd(FrameBuffer& frame, const Scene& s) {
  const Camera sky = EndSkyCamera(s.timeInSegment);
  const Rotation turn = BuildRotation(sky.aroundX, sky.aroundY, sky.aroundZ);
  DrawSkybox(frame, turn, StarSkybox.data(), SkyboxFill::kPerspective);
  DrawEndScroll(frame, EndScrollAlpha.data(), s.timeInSegment);
}

// --- The score ---------------------------------------------------------------

constexpr Fade N = Fade::kNone;
constexpr Fade FromWhite = Fade::kFromWhite;

// clang-format off
constexpr std::array<Segment, 25> kScore = {{
  //  #  start    end     scene                         draw                       var  fade in            fade out
  {{ 1,      0,  14784, "opening"},                   DrawOpening,               0, Fade::kFromBlack, kFourBeats, N, 0},
  {{ 2,  14784,  22176, "rings, text line 1"},        DrawRingsAndText,          0, N, 0,           N, 0},
  {{ 3,  22176,  25872, "rings, text line 2"},        DrawRingsAndText,          1, N, 0,           N, 0},
  {{ 4,  25872,  29568, "rings, text line 3"},        DrawRingsAndText,          2, N, 0,           N, 0},
  {{ 5,  29568,  33264, "rings, text line 4"},        DrawRingsAndText,          3, N, 0,           N, 0},
  {{ 6,  33264,  36960, "rings, text line 5"},        DrawRingsAndText,          4, N, 0,           N, 0},
  {{ 7,  36960,  44352, "rings, text line 6"},        DrawRingsAndText,          5, N, 0,           N, 0},
  {{ 8,  44352,  59136, "tetrahedron field"},         DrawTetraField,            0, FromWhite, kTwoBeats, N, 0},
  {{ 9,  59136,  60984, "credits page 1"},            DrawCreditsPage,           0, N, 0,           N, 0},
  {{10,  60984,  66528, "radial, portrait D"},        DrawRadialWithPortrait,    0, FromWhite, kTwoBeats, N, 0},
  {{11,  66528,  68376, "credits page 2"},            DrawCreditsPage,           1, N, 0,           N, 0},
  {{12,  68376,  73920, "radial, portrait A"},        DrawRadialWithPortrait,    1, FromWhite, kTwoBeats, N, 0},
  {{13,  73920,  75768, "credits page 3"},            DrawCreditsPage,           2, N, 0,           N, 0},
  {{14,  75768,  81312, "radial, portrait C"},        DrawRadialWithPortrait,    2, FromWhite, kTwoBeats, N, 0},
  {{15,  81312,  83160, "credits page 4"},            DrawCreditsPage,           3, N, 0,           N, 0},
  {{16,  83160,  88704, "radial, portrait B"},        DrawRadialWithPortrait,    3, FromWhite, kTwoBeats, N, 0},
  {{17,  88704, 103488, "tetrahedron tunnel"},        DrawTetraTunnel,           0, FromWhite, kTwoBeats, N, 0},
  {{18, 103488, 133056, "clip and greetings"},        DrawClipWithGreetings,     0, N, 0,           Fade::kToWhite, kTwoBeats},
  {{19, 133056, 147840, "tetrahedron field again"},   DrawTetraField,            0, FromWhite, kTwoBeats, N, 0},
  {{20, 147840, 162624, "planet sphere"},             DrawPlanetSphere,          0, FromWhite, kTwoBeats, N, 0},
  {{21, 162624, 177408, "field under the planet"},    DrawTetraFieldUnderPlanet, 0, FromWhite, kTwoBeats, N, 0},
  {{22, 177408, 192192, "tetrahedron swarm"},         DrawTetraSwarm,            0, N, 0,           Fade::kToWhite, kTwoBeats},
  {{23, 192192, 206976, "station, first flight"},     DrawLoadedMesh,            0, N, 0,           N, 0},
  {{24, 206976, 221760, "station, second flight"},    DrawLoadedMesh,            1, N, 0,           Fade::kToWhite, kFourBeats},
  {{25, 221760, 251328, "end scroll"},                DrawEnd,                   0, FromWhite, kTwoBeats, Fade::kToBlack, kFourBeats},
}};
// clang-format on

constexpr bool ScoreIsContiguous() {
  if (kScore.front().info.start != 0 || kScore.back().info.end != kShowLengthMs) return false;
  for (std::size_t i = 1; i < kScore.size(); ++i) {
    if (kScore[i].info.start != kScore[i - 1].info.end) return false;
  }
  for (const Segment& s : kScore) {
    if (s.info.start % kBeatMs != 0) return false;
  }
  return true;
}
static_assert(ScoreIsContiguous(), "segments cover the show without gaps, on beat bounds");

constexpr std::array<SegmentInfo, 25> MakeSegmentInfos() {
  std::array<SegmentInfo, 25> infos{};
  for (std::size_t i = 0; i < kScore.size(); ++i) infos[i] = kScore[i].info;
  return infos;
}
constexpr std::array<SegmentInfo, 25> kSegmentInfos = MakeSegmentInfos();

const Segment* FindSegment(DemoClock t) {
  for (const Segment& s : kScore) {
    if (t >= s.info.start && t < s.info.end) return &s;
  }
  return nullptr;
}

void ApplyFade(FrameBuffer& frame, Fade fade, std::int32_t level) {
  if (fade == Fade::kFromWhite || fade == Fade::kToWhite) {
    FadeToWhite(frame, level);
  } else {
    FadeToBlack(frame, level);
  }
}

// A fade in runs from level 256 at the segment start down to 1 on its last
// millisecond; a fade out from 0 up to 255 at the segment end.
void ApplyFades(FrameBuffer& frame, const Segment& s, DemoClock c) {
  if (s.fadeIn != Fade::kNone && c < s.fadeInMs) {
    ApplyFade(frame, s.fadeIn, 256 - (256 * c) / s.fadeInMs);
  }
  const DemoClock fadeOutStart = (s.info.end - s.info.start) - s.fadeOutMs;
  if (s.fadeOut != Fade::kNone && c >= fadeOutStart) {
    ApplyFade(frame, s.fadeOut, (256 * (c - fadeOutStart)) / s.fadeOutMs);
  }
}

}  // namespace

OpeningLayout OpeningLayoutAt(DemoClock t) {
  const std::int32_t d9 = t / 9;
  const std::int32_t glowY = 1600 - (37 * t) / kBeatMs;  // 1/16 pixel
  const std::int32_t d5 = t / 5;
  return {
      .starSkyRow = t / 30,  // one row every 30 ms
      .glow = {1920 - (d9 >> 1), glowY, d9 + 2560, d9 + 2560, 160, 160},
      .planet = {1152 - (d5 >> 1), (17 * t) / kBeatMs + 1280, d5 + 4096, d5 + 4096, 256, 256},
      .rays = {200, (glowY >> 4) + 80, 1, 240},  // centred on the glow, threshold 240
  };
}

bool Timeline(FrameBuffer& frame, DemoClock t) {
  if (t >= kShowLengthMs) return false;
  const Segment* segment = FindSegment(t);
  if (segment == nullptr) return true;  // before the music: nothing to draw yet
  const Scene scene{t, t - segment->info.start, segment->variant};
  segment->draw(frame, scene);
  ApplyFades(frame, *segment, scene.timeInSegment);
  return true;
}

std::span<const SegmentInfo> ShowSegments() { return kSegmentInfos; }

const SegmentInfo* SegmentAt(DemoClock t) {
  const Segment* s = FindSegment(t);
  return s ? &s->info : nullptr;
}

}  // namespace vantrelle
