#include "timeline/timeline.h"

#include <array>

#include "assets/asset_buffers.h"
#include "assets/effect_tables.h"
#include "assets/mesh.h"
#include "assets/precomputed_tables.h"
#include "effects/end_scroll.h"
#include "render3d/procedural_meshes.h"
#include "render3d/render_mesh_scene.h"
#include "render3d/tetrahedra.h"
#include "timeline/scene_cameras.h"

namespace vantrelle {
namespace {

constexpr std::int32_t kDrawSkybox = 1;

// The meshes the score animates: built at start-up, moved by the animators
// before each draw, owned here and passed down to what draws them.
struct SceneMeshes {
  std::array<std::int32_t, kProceduralMeshWords> tetraField{};   // 256 tetrahedra
  std::array<std::int32_t, kProceduralMeshWords> tetraTunnel{};  // 64 rings of four
};
SceneMeshes sceneMeshes;
constexpr DemoClock kTwoBeats = 2 * kBeatMs;
constexpr DemoClock kFourBeats = 4 * kBeatMs;

struct Scene {
  DemoClock t;  // ms since the music started
  DemoClock c;  // ms into the segment
  int variant;  // which strip, page or portrait
};

using DrawScene = void (*)(FrameBuffer&, const Scene&, const SceneOperations&);

enum class Fade { kNone, kFromBlack, kFromWhite, kToWhite, kToBlack };

struct Segment {
  SegmentInfo info;
  DrawScene draw;
  int variant;
  Fade fadeIn;
  DemoClock fadeInMs;
  Fade fadeOut;  // over the segment's last fadeOutMs
  DemoClock fadeOutMs;
};

// --- Opening: star sky, glow disc, planet, rays ----------------------------

void DrawOpening(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  const std::int32_t t = s.t;
  ops.DrawStarSky(frame, StarSkyPicture.data(), GreyRamp.data(), 0, t / 30);  // one row every 30 ms
  const std::int32_t d9 = t / 9;
  const std::int32_t glowY = 1600 - (37 * t) / kBeatMs;  // 1/16 pixel
  ops.DrawScaledGlow(frame, GlowDisc.data(), {1920 - (d9 >> 1), glowY, d9 + 2560, d9 + 2560, 160, 160});
  const std::int32_t d5 = t / 5;
  ops.DrawScaledMasked(frame, PlanetColours.data(), PlanetMask.data(),
                       {1152 - (d5 >> 1), (17 * t) / kBeatMs + 1280, d5 + 4096, d5 + 4096, 256, 256});
  ops.DrawLightRays(frame, 200, (glowY >> 4) + 80, 1, 240);  // centred on the glow, threshold 240
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

void DrawRingsAndText(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  const TextLine& line = kTextLines[s.variant];
  ops.DrawRings(frame, RingPoints.data(), RingCameraDepth(s), s.t);
  const std::int32_t radius = line.longBlur ? TextBlurLong[s.c] : TextBlurShort[s.c];
  ops.DrawTextStrip(frame, IntroTextPages.data() + kIntroStripBytes * s.variant, line.topRow, radius);
}

// --- 3D scenes -------------------------------------------------------------

// Every 3D scene looks through the frame's centre, the camera's default.
void RenderScene(FrameBuffer& frame, const SceneOperations& ops, const Camera& camera, const std::int32_t* mesh,
                 const void* texture, const std::uint16_t* shades, const std::uint16_t* skybox, std::int32_t mode) {
  ops.RenderMeshScene(frame, camera, mesh, {texture, shades, LightMap.data()}, skybox, kDrawSkybox, mode);
}

void DrawTetraField(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.AnimateTetraField(sceneMeshes.tetraField.data(), s.c);
  RenderScene(frame, ops, TetraFieldCamera(s.c), sceneMeshes.tetraField.data(), XorTexture(), BlueRamp.data(),
              StarSkybox.data(), kMeshFlat);
  ops.ApplyGlow(frame);
}

void DrawTetraTunnel(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.AnimateTetraTunnel(sceneMeshes.tetraTunnel.data(), s.c);
  RenderScene(frame, ops, TetraTunnelCamera(s.c), sceneMeshes.tetraTunnel.data(), XorTexture(), RedRamp.data(),
              StarSkybox.data(), kMeshFlat);
  ops.ApplyGlow(frame);
}

void DrawPlanetSphere(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  RenderScene(frame, ops, PlanetSphereCamera(s.c), SphereMesh.data(), PlanetMapTexture.data(), PlanetMapPalette.data(),
              StarSkybox.data(), kMeshTextured);
  ops.ApplyGlow(frame);
}

void DrawTetraFieldUnderPlanet(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.AnimateTetraField(sceneMeshes.tetraField.data(), s.c);
  RenderScene(frame, ops, FieldUnderPlanetCamera(s.c), sceneMeshes.tetraField.data(), XorTexture(), BlueRamp.data(),
              PlanetStarSkybox.data(), kMeshFlat);
  ops.ApplyGlow(frame);
}

void DrawTetraSwarm(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.AnimateTetraSwarm(sceneMeshes.tetraField.data(), s.c);
  RenderScene(frame, ops, TetraSwarmCamera(s.c), sceneMeshes.tetraField.data(), XorTexture(), BlueRamp.data(),
              PlanetSkybox.data(), kMeshFlat);
}

void DrawLoadedMesh(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  RenderScene(frame, ops, StationCamera(s.variant, s.c), LoadedMesh.data(), EndTexture.data(), BlueRamp.data(),
              PlanetSkybox.data(), kMeshPagedTexture);
}

// --- Credits, portraits, clip ------------------------------------------------

void DrawCreditsPage(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.DrawZoomPage(frame, CreditsPages.data() + kPageBytes * s.variant, GreyRamp.data(), s.c);
}

struct Portrait {
  const std::uint16_t* picture;
  const std::uint8_t* alpha;
};

void DrawRadialWithPortrait(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  const std::array<Portrait, 4> portraits = {{
      {FaceDPicture.data(), FaceDAlpha.data()},
      {FaceAPicture.data(), FaceAAlpha.data()},
      {FaceCPicture.data(), FaceCAlpha.data()},
      {FaceBPicture.data(), FaceBAlpha.data()},
  }};
  const Portrait& p = portraits[s.variant];
  ops.DrawRadialTexture(frame, RadialTexture.data(), s.t);
  ops.BlendAlphaPicture(frame, p.picture, p.alpha, 140, 260);  // the right-most 140 columns
}

void DrawClipWithGreetings(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  ops.DrawClipFrame(frame, ClipFrames.data(), BlueRamp.data(), kClipFrameCount, s.c);
  // One greeting page every four beats, dissolving into the clip over two.
  for (int k = 0; k < 15; ++k) {
    const std::int32_t start = 104874 + kFourBeats * k;
    if (s.t >= start && s.t < start + kTwoBeats) {
      ops.BlendPicture(frame, GreetsPages.data() + kPageBytes * k, GreyRamp.data(),
                       256 + (256 * (start - s.t)) / kTwoBeats);
    }
  }
}

// --- End: turning star sky under the scroll ------------------------------------

void DrawEnd(FrameBuffer& frame, const Scene& s, const SceneOperations& ops) {
  const Camera sky = EndSkyCamera(s.c);
  const Rotation turn = ops.BuildRotation(sky.angle1, sky.angle2, sky.angle3);
  ops.DrawSkybox(frame, turn, StarSkybox.data(), 1);
  DrawEndScroll(frame, EndScrollAlpha.data(), s.c);
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

void ApplyFade(FrameBuffer& frame, Fade fade, std::int32_t level, const SceneOperations& ops) {
  if (fade == Fade::kFromWhite || fade == Fade::kToWhite) {
    ops.FadeToWhite(frame, level);
  } else {
    ops.FadeToBlack(frame, level);
  }
}

// A fade in runs from level 256 at the segment start down to 1 on its last
// millisecond; a fade out from 0 up to 255 at the segment end.
void ApplyFades(FrameBuffer& frame, const Segment& s, DemoClock c, const SceneOperations& ops) {
  if (s.fadeIn != Fade::kNone && c < s.fadeInMs) {
    ApplyFade(frame, s.fadeIn, 256 - (256 * c) / s.fadeInMs, ops);
  }
  const DemoClock fadeOutStart = (s.info.end - s.info.start) - s.fadeOutMs;
  if (s.fadeOut != Fade::kNone && c >= fadeOutStart) {
    ApplyFade(frame, s.fadeOut, (256 * (c - fadeOutStart)) / s.fadeOutMs, ops);
  }
}

}  // namespace

void BuildSceneMeshes() {
  BuildTetraField(sceneMeshes.tetraField.data());
  BuildTetraTunnel(sceneMeshes.tetraTunnel.data());
}

int Timeline(FrameBuffer& frame, DemoClock t, const SceneOperations& ops) {
  if (t >= kShowLengthMs) return 0;
  const Segment* segment = FindSegment(t);
  if (segment == nullptr) return 1;  // before the music: nothing to draw yet
  const Scene scene{t, t - segment->info.start, segment->variant};
  segment->draw(frame, scene, ops);
  ApplyFades(frame, *segment, scene.c, ops);
  return 1;
}

void DrawScene(FrameBuffer& frame, DemoClock t, const SceneOperations& ops) {
  const Segment* segment = FindSegment(t);
  if (segment == nullptr) return;
  segment->draw(frame, Scene{t, t - segment->info.start, segment->variant}, ops);
}

int Timeline(FrameBuffer& frame, DemoClock t) { return Timeline(frame, t, ProductionOperations()); }

std::span<const SegmentInfo> ShowSegments() { return kSegmentInfos; }

const SegmentInfo* SegmentAt(DemoClock t) {
  const Segment* s = FindSegment(t);
  return s ? &s->info : nullptr;
}

}  // namespace vantrelle
