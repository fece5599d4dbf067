// The generated pictures do what their scenes rely on: transparent planet
// surroundings, a star sky that tiles, legible text, soft portrait masks, a
// clip that loops and a skybox without seams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "generated_files.h"
#include "tools/datagen/lib/planet.h"
#include "tools/datagen/lib/planet_skybox.h"
#include "tools/datagen/lib/text_pictures.h"

namespace vantrelle::datagen {
namespace {

using testing::PaletteEntry;
using testing::ReadGenerated;

TEST(GeneratedPictures, PlanetIsOpaqueInsideItsDiscAndIndexZeroOutside) {
  const auto planet = ReadGenerated("gfx/planet.raw");
  const auto pal = ReadGenerated("gfx/planet.pal");
  ASSERT_EQ(planet.size(), 65536u);
  ASSERT_EQ(pal.size(), 1048u);
  // Index 0 is OR-ed over the stars: it must be black.
  EXPECT_EQ(PaletteEntry(pal, 0).r + PaletteEntry(pal, 0).g + PaletteEntry(pal, 0).b, 0);
  int inside = 0;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const double dx = x + 0.5 - kPlanetCentre, dy = y + 0.5 - kPlanetCentre;
      const double d = std::sqrt(dx * dx + dy * dy);
      const int index = planet[y * 256 + x];
      if (d >= kPlanetRadius) {
        EXPECT_EQ(index, 0) << "outside the disc at " << x << "," << y;
      } else {
        EXPECT_NE(index, 0) << "transparent hole in the disc at " << x << "," << y;
        ++inside;
      }
    }
  }
  EXPECT_GT(inside, 44000);  // a disc of radius 120
  // The four corners and the middle of each edge are transparent.
  for (int i : {0, 255, 255 * 256, 65535, 128, 128 * 256, 128 * 256 + 255, 255 * 256 + 128}) EXPECT_EQ(planet[i], 0);
}

// Across the wrap a tiling picture changes no more than between neighbouring
// columns or rows inside it. `at` reads (x, y) with wrap-around.
template <typename At>
void ExpectTiles(int size, At at, const char* what) {
  double wrapX = 0, wrapY = 0, insideX = 0, insideY = 0;
  for (int i = 0; i < size; ++i) {
    wrapX += std::abs(at(size - 1, i) - at(0, i));
    wrapY += std::abs(at(i, size - 1) - at(i, 0));
    for (int k = 1; k < 7; ++k) {
      insideX += std::abs(at(k * size / 7, i) - at(k * size / 7 + 1, i)) / 6.0;
      insideY += std::abs(at(i, k * size / 7) - at(i, k * size / 7 + 1)) / 6.0;
    }
  }
  EXPECT_LT(wrapX, 1.5 * insideX + size) << what;
  EXPECT_LT(wrapY, 1.5 * insideY + size) << what;
}

TEST(GeneratedPictures, StarSkyAndRadialTextureTile) {
  const auto sky = ReadGenerated("gfx/starsky.raw");
  ASSERT_EQ(sky.size(), 262144u);
  ExpectTiles(512, [&](int x, int y) { return static_cast<int>(sky[(y & 511) * 512 + (x & 511)]); }, "star sky");
  const auto radial = ReadGenerated("gfx/radialtexture.raw");
  const auto pal = ReadGenerated("gfx/radialtexture.pal");
  ASSERT_EQ(radial.size(), 65536u);
  ExpectTiles(256, [&](int x, int y) {
    const auto c = PaletteEntry(pal, radial[(y & 255) * 256 + (x & 255)]);
    return c.r + c.g + c.b;
  }, "radial texture");
}

TEST(GeneratedPictures, OnlyBrightStarCoresPassTheRayThreshold) {
  const auto sky = ReadGenerated("gfx/starsky.raw");
  ASSERT_EQ(sky.size(), 262144u);
  int bright = 0, lit = 0;
  for (std::uint8_t v : sky) {
    bright += v > 240 ? 1 : 0;
    lit += v > 60 ? 1 : 0;
  }
  EXPECT_GT(bright, 0);
  EXPECT_LT(bright, 400);  // a few star cores, not the field
  EXPECT_GT(lit, 2000);    // a deep field of stars
}

// Counts strongly covered and empty pixels in a block of bytes.
struct Ink {
  int dark = 0, bright = 0;
};
Ink Measure(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t count) {
  Ink ink;
  for (std::size_t i = begin; i < begin + count; ++i) {
    ink.bright += bytes[i] >= 200 ? 1 : 0;
    ink.dark += bytes[i] == 0 ? 1 : 0;
  }
  return ink;
}

TEST(GeneratedPictures, EveryTextStripAndPageCarriesAntialiasedLettering) {
  const auto intro = ReadGenerated("gfx/introtexts.raw");
  const auto credits = ReadGenerated("gfx/credits.raw");
  const auto greets = ReadGenerated("gfx/greets.raw");
  const auto scroll = ReadGenerated("gfx/endscroll.raw");
  ASSERT_EQ(intro.size(), 153600u);
  ASSERT_EQ(credits.size(), 384000u);
  ASSERT_EQ(greets.size(), 576000u);
  ASSERT_EQ(scroll.size(), 360000u);
  for (int k = 0; k < kIntroTextCount; ++k) {
    const Ink ink = Measure(intro, 25600u * k, 25600u);
    EXPECT_GT(ink.bright, 1500) << "intro strip " << k;
    EXPECT_GT(ink.dark, 12000) << "intro strip " << k;
  }
  for (int k = 0; k < kCreditsPageCount; ++k) {
    const Ink ink = Measure(credits, 96000u * k, 96000u);
    EXPECT_GT(ink.bright, 1500) << "credits page " << k;
    EXPECT_GT(ink.dark, 60000) << "credits page " << k;
    // The zoom opens on the page's centre: something is written there.
    EXPECT_GT(Measure(credits, 96000u * k + 400u * 110u, 400u * 20u).bright, 50) << "credits page " << k;
  }
  for (int k = 0; k < kGreetingCount; ++k) {
    const Ink ink = Measure(greets, 38400u * k, 38400u);
    EXPECT_GT(ink.bright, 1000) << "greeting " << k;
    EXPECT_GT(ink.dark, 20000) << "greeting " << k;
  }
  // The scroll starts empty, carries text, and ends on a farewell in the
  // last screenful shown (rows 887..1126); nothing lies beyond it.
  EXPECT_EQ(Measure(scroll, 0, 300u * 200u).bright, 0);
  EXPECT_GT(Measure(scroll, 300u * 240u, 300u * 600u).bright, 5000);
  EXPECT_GT(Measure(scroll, 300u * 887u, 300u * 240u).bright, 500);
  EXPECT_EQ(Measure(scroll, 300u * 1127u, 300u * 73u).bright, 0);
  // Anti-aliased: edge pixels between empty and full exist.
  int partial = 0;
  for (std::uint8_t v : intro) partial += (v > 20 && v < 235) ? 1 : 0;
  EXPECT_GT(partial, 2000);
}

TEST(GeneratedPictures, PortraitsAreFourDistinctFiguresWithSoftMasks) {
  std::vector<std::vector<std::uint8_t>> pictures;
  for (const char* face : {"a", "b", "c", "d"}) {
    const auto alpha = ReadGenerated(std::string("gfx/face") + face + "alpha.raw");
    const auto raw = ReadGenerated(std::string("gfx/face") + face + ".raw");
    const auto pal = ReadGenerated(std::string("gfx/face") + face + ".pal");
    ASSERT_EQ(alpha.size(), 33600u);
    ASSERT_EQ(raw.size(), 33600u);
    EXPECT_EQ(alpha[0], 0) << face;          // top corners are clear
    EXPECT_EQ(alpha[139], 0) << face;
    EXPECT_EQ(alpha[120 * 140 + 70], 255) << face;  // the figure's middle is solid
    int soft = 0, solid = 0;
    for (std::uint8_t a : alpha) {
      soft += (a > 0 && a < 255) ? 1 : 0;
      solid += a == 255 ? 1 : 0;
    }
    EXPECT_GT(soft, 500) << face;
    EXPECT_GT(solid, 8000) << face;
    // Mean colour of the figure, for telling the four apart.
    double r = 0, g = 0, b = 0, n = 0;
    for (int i = 0; i < 33600; ++i) {
      if (alpha[i] < 255) continue;
      const auto c = PaletteEntry(pal, raw[i]);
      r += c.r;
      g += c.g;
      b += c.b;
      n += 1;
    }
    pictures.push_back({static_cast<std::uint8_t>(r / n), static_cast<std::uint8_t>(g / n),
                        static_cast<std::uint8_t>(b / n)});
  }
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) {
      const int d = std::abs(pictures[i][0] - pictures[j][0]) + std::abs(pictures[i][1] - pictures[j][1]) +
                    std::abs(pictures[i][2] - pictures[j][2]);
      EXPECT_GT(d, 30) << "portraits " << i << " and " << j << " look alike";
    }
  }
}

TEST(GeneratedPictures, ClipLoopsWithoutAJump) {
  const auto clip = ReadGenerated("gfx/clip01.raw");
  ASSERT_EQ(clip.size(), 1180800u);
  auto difference = [&](int a, int b) {
    double d = 0;
    for (int i = 0; i < 4800; ++i) d += std::abs(clip[4800 * a + i] - clip[4800 * b + i]);
    return d / 4800;
  };
  double steps = 0;
  for (int f = 0; f < 245; ++f) steps += difference(f, f + 1);
  const double meanStep = steps / 245;
  EXPECT_GT(meanStep, 1.0);                          // it moves
  EXPECT_LT(difference(245, 0), 1.6 * meanStep);     // the loop point is an ordinary step
  EXPECT_GT(difference(0, 123), 2.0 * meanStep);     // halfway is elsewhere
}

TEST(GeneratedPictures, PlanetSkyboxPagesMeetWithoutSeams) {
  const auto raw = ReadGenerated("gfx/planetskybox.raw");
  const auto pal = ReadGenerated("gfx/planetskybox.pal");
  ASSERT_EQ(raw.size(), 393216u);
  auto colour = [&](int page, int x, int y) {
    const auto c = PaletteEntry(pal, raw[page * 65536 + y * 256 + x]);
    return std::array<int, 3>{c.r, c.g, c.b};
  };
  auto distance = [](std::array<int, 3> a, std::array<int, 3> b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
  };
  // Every border texel of a page is matched to the texel of another page
  // whose centre points the nearest way; their colours must differ no more
  // than neighbouring texels inside a page do.
  struct Border {
    int page, x, y;
    double d[3];
  };
  std::vector<Border> border;
  for (int p = 0; p < 6; ++p) {
    for (int i = 0; i < 256; ++i) {
      for (auto [x, y] : {std::pair{0, i}, std::pair{255, i}, std::pair{i, 0}, std::pair{i, 255}}) {
        Border b{p, x, y, {}};
        SkyboxTexelDirection(p, x + 0.5, y + 0.5, b.d);
        const double l = std::sqrt(b.d[0] * b.d[0] + b.d[1] * b.d[1] + b.d[2] * b.d[2]);
        for (double& v : b.d) v /= l;
        border.push_back(b);
      }
    }
  }
  double seam = 0, inside = 0;
  int pairs = 0;
  for (const Border& a : border) {
    const Border* best = nullptr;
    double bestDot = -2;
    for (const Border& b : border) {
      if (b.page == a.page) continue;
      const double dot = a.d[0] * b.d[0] + a.d[1] * b.d[1] + a.d[2] * b.d[2];
      if (dot > bestDot) {
        bestDot = dot;
        best = &b;
      }
    }
    ASSERT_GT(bestDot, 0.9995) << "page " << a.page << " texel " << a.x << "," << a.y << " has no neighbour";
    seam += distance(colour(a.page, a.x, a.y), colour(best->page, best->x, best->y));
    // The texel one step inward from the border, across the same edge.
    const int inX = a.x == 0 ? 1 : (a.x == 255 ? 254 : a.x);
    const int inY = (a.x == 0 || a.x == 255) ? a.y : (a.y == 0 ? 1 : 254);
    inside += distance(colour(a.page, a.x, a.y), colour(a.page, inX, inY));
    ++pairs;
  }
  EXPECT_LT(seam / pairs, 2.5 * (inside / pairs) + 4.0);
}

}  // namespace
}  // namespace vantrelle::datagen
