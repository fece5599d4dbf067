#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "assets/asset_buffers.h"
#include "assets/bake_track.h"
#include "assets/build_precomputed_tables.h"
#include "assets/keyframe_tracks.h"
#include "assets/mesh.h"
#include "core/sin_tables.h"
#include "render3d/procedural_meshes.h"
#include "timeline/scene_operations.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

// Records every call the score makes, with tables named and numbers written out.
std::vector<std::string> g_calls;
std::map<const void*, std::string> g_names;

void NameTables() {
  g_names.clear();
#define NAME(table) g_names[table.data()] = #table
  NAME(StarSkyPicture);
  NAME(GreyRamp);
  NAME(BlueRamp);
  NAME(RedRamp);
  NAME(GlowDisc);
  NAME(PlanetColours);
  NAME(PlanetMask);
  NAME(RingPoints);
  NAME(RadialTexture);
  NAME(ClipFrames);
  NAME(TetraField);
  NAME(TetraTunnel);
  NAME(SphereMesh);
  NAME(LoadedMesh);
  NAME(EndTexture);
  NAME(PlanetMapTexture);
  NAME(PlanetMapPalette);
  NAME(StarSkybox);
  NAME(PlanetStarSkybox);
  NAME(PlanetSkybox);
  NAME(EnvMap);
  NAME(FaceAPicture);
  NAME(FaceBPicture);
  NAME(FaceCPicture);
  NAME(FaceDPicture);
  NAME(FaceAAlpha);
  NAME(FaceBAlpha);
  NAME(FaceCAlpha);
  NAME(FaceDAlpha);
#undef NAME
  g_names[XorTexture()] = "XorTexture";
  for (int k = 0; k < 6; ++k)
    g_names[IntroTextPages.data() + kIntroStripBytes * k] = "IntroText[" + std::to_string(k) + "]";
  for (int k = 0; k < 4; ++k) g_names[CreditsPages.data() + kPageBytes * k] = "Credits[" + std::to_string(k) + "]";
  for (int k = 0; k < 15; ++k) g_names[GreetsPages.data() + kPageBytes * k] = "Greets[" + std::to_string(k) + "]";
}

void Put(std::ostringstream& out, const void* p) {
  const auto it = g_names.find(p);
  out << (it == g_names.end() ? std::string("?") : it->second);
}
void Put(std::ostringstream& out, std::int32_t v) { out << v; }

template <typename... Args>
void Record(const char* name, const Args&... args) {
  std::ostringstream out;
  out << name << "(";
  [[maybe_unused]] const char* separator = "";
  ((out << separator, Put(out, args), separator = ", "), ...);
  out << ")";
  g_calls.push_back(out.str());
}

using i32 = std::int32_t;
SceneOperations RecordingOperations() {
  SceneOperations ops{};
  ops.DrawStarSky = [](FrameBuffer&, const std::uint8_t* p, const std::uint16_t* c, i32 x, i32 y) {
    Record("DrawStarSky", p, c, x, y);
  };
  ops.DrawScaledGlow = [](FrameBuffer&, const std::uint8_t* a, i32 x, i32 y, i32 w, i32 h, i32 sw, i32 sh) {
    Record("DrawScaledGlow", a, x, y, w, h, sw, sh);
  };
  ops.DrawScaledMasked = [](FrameBuffer&, const std::uint16_t* c, const std::uint16_t* m, i32 x, i32 y, i32 w, i32 h,
                            i32 sw, i32 sh) { Record("DrawScaledMasked", c, m, x, y, w, h, sw, sh); };
  ops.DrawLightRays = [](FrameBuffer&, i32 cx, i32 cy, i32 mode, i32 th) { Record("DrawLightRays", cx, cy, mode, th); };
  ops.DrawRings = [](FrameBuffer&, const i32* p, i32 d, i32 t) { Record("DrawRings", p, d, t); };
  ops.DrawTextStrip = [](FrameBuffer&, const std::uint8_t* s, i32 top, i32 r) { Record("DrawTextStrip", s, top, r); };
  ops.ApplyGlow = [](FrameBuffer&) { Record("ApplyGlow"); };
  ops.DrawZoomPage = [](FrameBuffer&, const std::uint8_t* p, const std::uint16_t* c, i32 s) {
    Record("DrawZoomPage", p, c, s);
  };
  ops.BlendPicture = [](FrameBuffer&, const std::uint8_t* p, const std::uint16_t* c, i32 l) {
    Record("BlendPicture", p, c, l);
  };
  ops.BlendAlphaPicture = [](FrameBuffer&, const std::uint16_t* p, const std::uint8_t* a, i32 w, i32 x0) {
    Record("BlendAlphaPicture", p, a, w, x0);
  };
  ops.DrawRadialTexture = [](FrameBuffer&, const std::uint16_t* tex, i32 t) { Record("DrawRadialTexture", tex, t); };
  ops.DrawClipFrame = [](FrameBuffer&, const std::uint8_t* f, const std::uint16_t* c, i32 n, i32 s) {
    Record("DrawClipFrame", f, c, n, s);
  };
  ops.RenderMeshScene = [](FrameBuffer&, i32 a1, i32 a2, i32 a3, i32 r1, i32 r2, i32 r3, i32 tx, i32 ty, i32 tz, i32 cx,
                           i32 cy, i32 depth, const i32* mesh, const void* tex, const std::uint16_t* shades,
                           const std::uint8_t* light, const std::uint16_t* sky, i32 bg, i32 mode) {
    Record("RenderMeshScene", a1, a2, a3, r1, r2, r3, tx, ty, tz, cx, cy, depth, mesh, tex, shades, light, sky, bg,
           mode);
  };
  ops.BuildRotation = [](i32 a, i32 b, i32 c) {
    Record("BuildRotation", a, b, c);
    return Rotation{};
  };
  ops.DrawSkybox = [](FrameBuffer&, const Rotation&, const std::uint16_t* sky, i32 p) { Record("DrawSkybox", sky, p); };
  ops.AnimateTetraField = [](i32* m, i32 c) { Record("AnimateTetraField", m, c); };
  ops.AnimateTetraSwarm = [](i32* m, i32 c) { Record("AnimateTetraSwarm", m, c); };
  ops.AnimateTetraTunnel = [](i32* m, i32 c) { Record("AnimateTetraTunnel", m, c); };
  ops.FadeToWhite = [](FrameBuffer&, i32 l) { Record("FadeToWhite", l); };
  ops.FadeToBlack = [](FrameBuffer&, i32 l) { Record("FadeToBlack", l); };
  return ops;
}

// Marker values in the per-millisecond tables, so that the test sees which
// entry each scene reads.
void FillMarkers() {
  BuildSinCosTables();
  for (std::size_t i = 0; i < startup::TextBlurLong.size(); ++i)
    startup::TextBlurLong[i] = static_cast<std::int16_t>(i % 97);
  for (std::size_t i = 0; i < startup::TextBlurShort.size(); ++i)
    startup::TextBlurShort[i] = static_cast<std::int16_t>(i % 89 + 7);
  Track* tracks[3] = {&startup::TrackA, &startup::TrackB, &startup::TrackC};
  for (int n = 0; n < 3; ++n) {
    const std::int32_t base = n + 1;
    Track& track = *tracks[n];
    for (std::int32_t c = 0; c < kTrackSamples; ++c) {
      track[c] = {base * 1000 + c, -(base * 1000 + c), c * 3, (c + base) & 4095, (c * 2) & 4095, (c * 5 + base) & 4095};
    }
  }
}

struct Expected {
  std::int32_t t;
  const char* calls;
};

// Calls at the first and the last millisecond of every segment, a middle one
// where a scene is new, and at every edge of the fades, worked out from the
// score by hand. The frames between are pinned by the whole-show hashes.
const Expected kExpected[] = {
    {0,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 0); DrawScaledGlow(GlowDisc, 1920, 1600, 2560, 2560, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, 1152, 1280, 4096, 4096, 256, 256); DrawLightRays(200, 180, 1, 240); "
     "FadeToBlack(256)"},
    {1,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 0); DrawScaledGlow(GlowDisc, 1920, 1600, 2560, 2560, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, 1152, 1280, 4096, 4096, 256, 256); DrawLightRays(200, 180, 1, 240); "
     "FadeToBlack(256)"},
    {1847,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 61); DrawScaledGlow(GlowDisc, 1818, 1453, 2765, 2765, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, 968, 1347, 4465, 4465, 256, 256); DrawLightRays(200, 170, 1, 240); "
     "FadeToBlack(1)"},
    {1848,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 61); DrawScaledGlow(GlowDisc, 1818, 1452, 2765, 2765, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, 968, 1348, 4465, 4465, 256, 256); DrawLightRays(200, 170, 1, 240)"},
    {7399,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 246); DrawScaledGlow(GlowDisc, 1509, 1008, 3382, 3382, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, 413, 1552, 5575, 5575, 256, 256); DrawLightRays(200, 143, 1, 240)"},
    {14783,
     "DrawStarSky(StarSkyPicture, GreyRamp, 0, 492); DrawScaledGlow(GlowDisc, 1099, 417, 4202, 4202, 160, 160); "
     "DrawScaledMasked(PlanetColours, PlanetMask, -326, 1823, 7052, 7052, 256, 256); DrawLightRays(200, 106, 1, 240)"},
    {14784, "DrawRings(RingPoints, 48320, 14784); DrawTextStrip(IntroText[0], 88, 0)"},
    {18487, "DrawRings(RingPoints, -107206, 18487); DrawTextStrip(IntroText[0], 88, 17)"},
    {22175, "DrawRings(RingPoints, -262102, 22175); DrawTextStrip(IntroText[0], 88, 19)"},
    {22176, "DrawRings(RingPoints, -262144, 22176); DrawTextStrip(IntroText[1], 64, 7)"},
    {25871, "DrawRings(RingPoints, -262144, 25871); DrawTextStrip(IntroText[1], 64, 53)"},
    {25872, "DrawRings(RingPoints, -262144, 25872); DrawTextStrip(IntroText[2], 112, 7)"},
    {29567, "DrawRings(RingPoints, -262144, 29567); DrawTextStrip(IntroText[2], 112, 53)"},
    {29568, "DrawRings(RingPoints, -262144, 29568); DrawTextStrip(IntroText[3], 64, 7)"},
    {33263, "DrawRings(RingPoints, -262144, 33263); DrawTextStrip(IntroText[3], 64, 53)"},
    {33264, "DrawRings(RingPoints, -262144, 33264); DrawTextStrip(IntroText[4], 112, 7)"},
    {36959, "DrawRings(RingPoints, -262144, 36959); DrawTextStrip(IntroText[4], 112, 53)"},
    {36960, "DrawRings(RingPoints, -262144, 36960); DrawTextStrip(IntroText[5], 88, 0)"},
    {40663, "DrawRings(RingPoints, -106618, 40663); DrawTextStrip(IntroText[5], 88, 17)"},
    {44351, "DrawRings(RingPoints, 48278, 44351); DrawTextStrip(IntroText[5], 88, 19)"},
    {44352,
     "AnimateTetraField(TetraField, 0); RenderMeshScene(0, 1024, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, -196608, TetraField, "
     "XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow(); FadeToWhite(256)"},
    {45275,
     "AnimateTetraField(TetraField, 923); RenderMeshScene(131, 1208, 71, 0, 0, 0, 0, 0, 0, 3200, 1920, -183922, "
     "TetraField, XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow(); FadeToWhite(1)"},
    {45276,
     "AnimateTetraField(TetraField, 924); RenderMeshScene(132, 1208, 71, 0, 0, 0, 0, 0, 0, 3200, 1920, -183823, "
     "TetraField, XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {51751,
     "AnimateTetraField(TetraField, 7399); RenderMeshScene(1057, 2503, 569, 0, 0, 0, 0, 0, 0, 3200, 1920, -131072, "
     "TetraField, XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {59135,
     "AnimateTetraField(TetraField, 14783); RenderMeshScene(2111, 3980, 1137, 0, 0, 0, 0, 0, 0, 3200, 1920, -196508, "
     "TetraField, XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {59136, "DrawZoomPage(Credits[0], GreyRamp, 0)"},
    {60067, "DrawZoomPage(Credits[0], GreyRamp, 931)"},
    {60983, "DrawZoomPage(Credits[0], GreyRamp, 1847)"},
    {60984,
     "DrawRadialTexture(RadialTexture, 60984); BlendAlphaPicture(FaceDPicture, FaceDAlpha, 140, 260); "
     "FadeToWhite(256)"},
    {63763, "DrawRadialTexture(RadialTexture, 63763); BlendAlphaPicture(FaceDPicture, FaceDAlpha, 140, 260)"},
    {66527, "DrawRadialTexture(RadialTexture, 66527); BlendAlphaPicture(FaceDPicture, FaceDAlpha, 140, 260)"},
    {66528, "DrawZoomPage(Credits[1], GreyRamp, 0)"},
    {68375, "DrawZoomPage(Credits[1], GreyRamp, 1847)"},
    {68376,
     "DrawRadialTexture(RadialTexture, 68376); BlendAlphaPicture(FaceAPicture, FaceAAlpha, 140, 260); "
     "FadeToWhite(256)"},
    {73919, "DrawRadialTexture(RadialTexture, 73919); BlendAlphaPicture(FaceAPicture, FaceAAlpha, 140, 260)"},
    {73920, "DrawZoomPage(Credits[2], GreyRamp, 0)"},
    {75767, "DrawZoomPage(Credits[2], GreyRamp, 1847)"},
    {75768,
     "DrawRadialTexture(RadialTexture, 75768); BlendAlphaPicture(FaceCPicture, FaceCAlpha, 140, 260); "
     "FadeToWhite(256)"},
    {81311, "DrawRadialTexture(RadialTexture, 81311); BlendAlphaPicture(FaceCPicture, FaceCAlpha, 140, 260)"},
    {81312, "DrawZoomPage(Credits[3], GreyRamp, 0)"},
    {83159, "DrawZoomPage(Credits[3], GreyRamp, 1847)"},
    {83160,
     "DrawRadialTexture(RadialTexture, 83160); BlendAlphaPicture(FaceBPicture, FaceBAlpha, 140, 260); "
     "FadeToWhite(256)"},
    {88703, "DrawRadialTexture(RadialTexture, 88703); BlendAlphaPicture(FaceBPicture, FaceBAlpha, 140, 260)"},
    {88704,
     "AnimateTetraTunnel(TetraTunnel, 0); RenderMeshScene(0, 0, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, TetraTunnel, "
     "XorTexture, RedRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow(); FadeToWhite(256)"},
    {89627,
     "AnimateTetraTunnel(TetraTunnel, 923); RenderMeshScene(191, 178, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, TetraTunnel, "
     "XorTexture, RedRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow(); FadeToWhite(1)"},
    {89628,
     "AnimateTetraTunnel(TetraTunnel, 924); RenderMeshScene(191, 178, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, TetraTunnel, "
     "XorTexture, RedRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {96103,
     "AnimateTetraTunnel(TetraTunnel, 7399); RenderMeshScene(1405, 1332, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, "
     "TetraTunnel, XorTexture, RedRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {103487,
     "AnimateTetraTunnel(TetraTunnel, 14783); RenderMeshScene(2044, 2023, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, "
     "TetraTunnel, XorTexture, RedRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {103488, "DrawClipFrame(ClipFrames, BlueRamp, 246, 0)"},
    {104874, "DrawClipFrame(ClipFrames, BlueRamp, 246, 1386); BlendPicture(Greets[0], GreyRamp, 256)"},
    {105797, "DrawClipFrame(ClipFrames, BlueRamp, 246, 2309); BlendPicture(Greets[0], GreyRamp, 1)"},
    {105798, "DrawClipFrame(ClipFrames, BlueRamp, 246, 2310)"},
    {106722, "DrawClipFrame(ClipFrames, BlueRamp, 246, 3234); BlendPicture(Greets[1], GreyRamp, 256)"},
    {130746, "DrawClipFrame(ClipFrames, BlueRamp, 246, 27258); BlendPicture(Greets[14], GreyRamp, 256)"},
    {131669, "DrawClipFrame(ClipFrames, BlueRamp, 246, 28181); BlendPicture(Greets[14], GreyRamp, 1)"},
    {131670, "DrawClipFrame(ClipFrames, BlueRamp, 246, 28182)"},
    {132132, "DrawClipFrame(ClipFrames, BlueRamp, 246, 28644); FadeToWhite(0)"},
    {133055, "DrawClipFrame(ClipFrames, BlueRamp, 246, 29567); FadeToWhite(255)"},
    {133056,
     "AnimateTetraField(TetraField, 0); RenderMeshScene(0, 1024, 0, 0, 0, 0, 0, 0, 0, 3200, 1920, -196608, TetraField, "
     "XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow(); FadeToWhite(256)"},
    {147839,
     "AnimateTetraField(TetraField, 14783); RenderMeshScene(2111, 3980, 1137, 0, 0, 0, 0, 0, 0, 3200, 1920, -196508, "
     "TetraField, XorTexture, BlueRamp, EnvMap, StarSkybox, 1, 1); ApplyGlow()"},
    {147840,
     "RenderMeshScene(512, 0, 128, 0, 0, 0, 0, 0, 0, 3200, 1920, -720896, SphereMesh, PlanetMapTexture, "
     "PlanetMapPalette, EnvMap, StarSkybox, 1, 3); ApplyGlow(); FadeToWhite(256)"},
    {155239,
     "RenderMeshScene(512, 569, 128, 0, 0, 0, 0, 0, 0, 3200, 1920, -458504, SphereMesh, PlanetMapTexture, "
     "PlanetMapPalette, EnvMap, StarSkybox, 1, 3); ApplyGlow()"},
    {162623,
     "RenderMeshScene(512, 1137, 128, 0, 0, 0, 0, 0, 0, 3200, 1920, -196644, SphereMesh, PlanetMapTexture, "
     "PlanetMapPalette, EnvMap, StarSkybox, 1, 3); ApplyGlow()"},
    {162624,
     "AnimateTetraField(TetraField, 0); RenderMeshScene(896, 128, 64, 0, 0, 0, 0, 0, 0, 3200, 1920, -196608, "
     "TetraField, XorTexture, BlueRamp, EnvMap, PlanetStarSkybox, 1, 1); ApplyGlow(); FadeToWhite(256)"},
    {177407,
     "AnimateTetraField(TetraField, 14783); RenderMeshScene(1599, 128, -63, 0, 0, 0, 0, 0, 0, 3200, 1920, -196608, "
     "TetraField, XorTexture, BlueRamp, EnvMap, PlanetStarSkybox, 1, 1); ApplyGlow()"},
    {177408,
     "AnimateTetraSwarm(TetraField, 0); RenderMeshScene(1, 0, 1, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, TetraField, "
     "XorTexture, BlueRamp, EnvMap, PlanetSkybox, 1, 1)"},
    {184807,
     "AnimateTetraSwarm(TetraField, 7399); RenderMeshScene(3304, 2510, 132, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, "
     "TetraField, XorTexture, BlueRamp, EnvMap, PlanetSkybox, 1, 1)"},
    {191268,
     "AnimateTetraSwarm(TetraField, 13860); RenderMeshScene(1573, 3144, 3765, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, "
     "TetraField, XorTexture, BlueRamp, EnvMap, PlanetSkybox, 1, 1); FadeToWhite(0)"},
    {192191,
     "AnimateTetraSwarm(TetraField, 14783); RenderMeshScene(2496, 894, 188, 0, 0, 0, 0, 0, 0, 3200, 1920, 0, "
     "TetraField, XorTexture, BlueRamp, EnvMap, PlanetSkybox, 1, 1); FadeToWhite(255)"},
    {192192,
     "RenderMeshScene(2, 0, 2, 0, 0, 0, 2000, -2000, 0, 3200, 1920, 0, LoadedMesh, EndTexture, BlueRamp, EnvMap, "
     "PlanetSkybox, 1, 0)"},
    {206975,
     "RenderMeshScene(2497, 894, 189, 0, 0, 0, 16783, -16783, 44349, 3200, 1920, 0, LoadedMesh, EndTexture, BlueRamp, "
     "EnvMap, PlanetSkybox, 1, 0)"},
    {206976,
     "RenderMeshScene(3, 0, 3, 0, 0, 0, 3000, -3000, 0, 3200, 1920, 0, LoadedMesh, EndTexture, BlueRamp, EnvMap, "
     "PlanetSkybox, 1, 0)"},
    {219912,
     "RenderMeshScene(651, 1296, 3243, 0, 0, 0, 15936, -15936, 38808, 3200, 1920, 0, LoadedMesh, EndTexture, BlueRamp, "
     "EnvMap, PlanetSkybox, 1, 0); FadeToWhite(0)"},
    {221759,
     "RenderMeshScene(2498, 894, 190, 0, 0, 0, 17783, -17783, 44349, 3200, 1920, 0, LoadedMesh, EndTexture, BlueRamp, "
     "EnvMap, PlanetSkybox, 1, 0); FadeToWhite(255)"},
    {221760, "BuildRotation(0, 0, 0); DrawSkybox(StarSkybox, 1); FadeToWhite(256)"},
    {222684, "BuildRotation(184, 132, 308); DrawSkybox(StarSkybox, 1)"},
    {249480, "BuildRotation(5544, 3960, 9240); DrawSkybox(StarSkybox, 1); FadeToBlack(0)"},
    {251327, "BuildRotation(5913, 4223, 9855); DrawSkybox(StarSkybox, 1); FadeToBlack(255)"},
};

std::string CallsAt(std::int32_t t) {
  static const SceneOperations ops = RecordingOperations();
  static FrameBuffer frame{};
  g_calls.clear();
  const int running = Timeline(frame, t, ops);
  std::string joined;
  for (const std::string& call : g_calls) joined += (joined.empty() ? "" : "; ") + call;
  return running ? joined : "(over)";
}

TEST(Timeline, EverySegmentCallsItsOperationsWithTheScoresArguments) {
  FillMarkers();
  NameTables();
  for (const Expected& e : kExpected) {
    EXPECT_EQ(CallsAt(e.t), e.calls) << "at t = " << e.t;
  }
}

TEST(Timeline, EndsAtTheLastBeatAndLeavesTheFrameAlone) {
  FillMarkers();
  NameTables();
  EXPECT_EQ(CallsAt(251328), "(over)");
  EXPECT_EQ(CallsAt(300000), "(over)");
  EXPECT_TRUE(g_calls.empty());

  FrameBuffer frame;
  frame.fill(0x1234);
  EXPECT_EQ(Timeline(frame, 251328, RecordingOperations()), 0);
  EXPECT_EQ(Timeline(frame, 251327, RecordingOperations()), 1);
  FrameBuffer before = frame;
  EXPECT_EQ(Timeline(frame, 251328), 0);
  EXPECT_EQ(frame, before);

  // The segment playing at a time, the score's order being checked where it is written.
  for (auto [t, number] : {std::pair{0, 1}, {44351, 7}, {44352, 8}, {251327, 25}}) {
    EXPECT_EQ(SegmentAt(t)->number, number);
  }
  EXPECT_EQ(SegmentAt(251328), nullptr);
  EXPECT_EQ(SegmentAt(-1), nullptr);
}

}  // namespace
}  // namespace vantrelle
