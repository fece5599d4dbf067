// Triangle fillers on the show's two typical sizes: mesh faces of 10 to 30
// pixels and skybox faces of about 130 pixels a side. One iteration fills
// one triangle.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/frame_buffer.h"
#include "render3d/fillers.h"

namespace vantrelle {
namespace {

// One triangle as each filler takes it.
struct Shape {
  FlatTriangle flat;
  ShadedTriangle shaded;
  TexturedTriangle textured;
  LitTriangle lit;  // the light map read with u and v swapped
  PerspectiveTriangle perspective;
};

// Slanted triangles of legs about `size` pixels in random orientation,
// around points from which the big ones may reach past the frame's edges.
std::vector<Shape> MakeTriangles(int size, unsigned seed) {
  std::mt19937 rng(seed);
  const int margin = std::min(16 * size, 1600);
  std::uniform_int_distribution<int> x(margin, 6400 - margin);
  std::uniform_int_distribution<int> y(margin, 3840 - margin);
  std::uniform_int_distribution<int> leg(8 * size, 16 * size);
  std::uniform_int_distribution<int> sign(0, 1);
  std::uniform_int_distribution<int> depth(65536, 111411);  // 1 to 1.7 units
  std::uniform_int_distribution<int> tex(0, 4080);
  constexpr std::int32_t kShades[3] = {10, 200, 90};
  std::vector<Shape> out(256);
  for (Shape& t : out) {
    const int cx = x(rng), cy = y(rng);
    const int a = leg(rng) * (sign(rng) ? 1 : -1), b = leg(rng) * (sign(rng) ? 1 : -1);
    const std::array<std::int32_t, 6> xy = {cx, cy, cx + a, cy + b / 8, cx + a / 8, cy + b};
    const std::array<std::int32_t, 3> z = {depth(rng), depth(rng), depth(rng)};
    const std::array<std::int32_t, 6> uv = {tex(rng), tex(rng), tex(rng), tex(rng), tex(rng), tex(rng)};
    for (int k = 0; k < 3; ++k) {
      const std::int32_t px = xy[2 * k], py = xy[2 * k + 1], u = uv[2 * k], v = uv[2 * k + 1];
      t.flat[k] = {px, py, {}};
      t.shaded[k] = {px, py, {kShades[k]}};
      t.textured[k] = {px, py, {u, v}};
      t.lit[k] = {px, py, {u, v, v, u}};
      t.perspective[k] = {px, py, {z[k], u, v}};
    }
  }
  return out;
}

struct Textures {
  std::array<std::uint16_t, 65536> words;
  std::array<std::uint8_t, 65536> bytes;
};

const Textures& SomeTextures() {
  static const auto t = [] {
    auto p = std::make_unique<Textures>();
    for (int i = 0; i < 65536; ++i) {
      p->words[i] = static_cast<std::uint16_t>(i * 2654435761u >> 16);
      p->bytes[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    }
    return p;
  }();
  return *t;
}

FrameBuffer frame;

template <class Fill>
void Run(benchmark::State& state, Fill fill) {
  const std::vector<Shape> triangles = MakeTriangles(static_cast<int>(state.range(0)), 1);
  std::size_t i = 0;
  for (auto _ : state) {
    fill(triangles[i]);
    i = (i + 1) % triangles.size();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_FillFlat(benchmark::State& state) {
  Run(state, [](const Shape& t) { FillFlat(frame, 0x1234, t.flat); });
}

void BM_FillGouraud(benchmark::State& state) {
  const std::uint16_t* table = SomeTextures().words.data();
  Run(state, [table](const Shape& t) { FillGouraud(frame, table, t.shaded); });
}

void BM_FillTextured(benchmark::State& state) {
  const std::uint16_t* texture = SomeTextures().words.data();
  Run(state, [texture](const Shape& t) { FillTextured(frame, texture, t.textured); });
}

void BM_FillTexturedLit(benchmark::State& state) {
  const Textures& s = SomeTextures();
  Run(state, [&s](const Shape& t) { FillTexturedLit(frame, {s.bytes.data(), s.bytes.data(), s.words.data()}, t.lit); });
}

void BM_FillPerspective(benchmark::State& state) {
  const std::uint16_t* texture = SomeTextures().words.data();
  Run(state, [texture](const Shape& t) { FillPerspective(frame, texture, t.perspective); });
}

// Argument: leg length in pixels (20 for mesh faces, 130 for skybox faces).
BENCHMARK(BM_FillFlat)->Arg(20)->Arg(130);
BENCHMARK(BM_FillGouraud)->Arg(20);
BENCHMARK(BM_FillTextured)->Arg(20)->Arg(130);
BENCHMARK(BM_FillTexturedLit)->Arg(20);
BENCHMARK(BM_FillPerspective)->Arg(20)->Arg(130);

}  // namespace
}  // namespace vantrelle
