// The generator library's building blocks: machine-independent maths, the
// seeded random sequence, palette reduction and file encoding, and text.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"
#include "tools/datagen/lib/palette_picture.h"
#include "tools/datagen/lib/random.h"
#include "tools/datagen/lib/text_canvas.h"

namespace vantrelle::datagen {
namespace {

TEST(GeneratorMaths, ElementaryFunctionsMatchTheirDefinitions) {
  EXPECT_EQ(Sin(0.0), 0.0);
  EXPECT_EQ(Cos(0.0), 1.0);
  EXPECT_EQ(Exp2(10.0), 1024.0);
  EXPECT_EQ(Exp2(-3.0), 0.125);
  for (double x = -40.0; x < 40.0; x += 0.173) {
    EXPECT_NEAR(Sin(x), std::sin(x), 1e-14) << x;
    EXPECT_NEAR(Cos(x), std::cos(x), 1e-14) << x;
    EXPECT_NEAR(Exp(x * 0.25) / std::exp(x * 0.25), 1.0, 1e-13) << x;
    EXPECT_NEAR(Atan2(std::sin(x), std::cos(x)), std::atan2(std::sin(x), std::cos(x)), 1e-13) << x;
  }
  EXPECT_NEAR(Atan2(1.0, 0.0), kPi / 2, 1e-15);
  EXPECT_NEAR(Atan2(0.0, -1.0), kPi, 1e-15);
  EXPECT_EQ(Atan2(0.0, 0.0), 0.0);
  EXPECT_EQ(ToByte(-3.0), 0);
  EXPECT_EQ(ToByte(127.5), 128);
  EXPECT_EQ(ToByte(300.0), 255);
}

TEST(GeneratorMaths, RandomSequenceAndNoiseArePinned) {
  // The data set depends on these exact sequences.
  Random r(1);
  EXPECT_EQ(r.Next(), 0x910A2DEC89025CC1ull);
  EXPECT_EQ(r.Next(), 0xBEEB8DA1658EEC67ull);
  Random a(99), b(99);
  for (int i = 0; i < 100; ++i) {
    const double u = a.Uniform();
    EXPECT_EQ(u, b.Uniform());
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
  }
  EXPECT_EQ(Noise3(1.0, 2.0, 3.0, 7u), 0.0);  // zero on every lattice point
  // Tiled noise repeats after its period.
  for (double x = 0.1; x < 4.0; x += 0.37) {
    EXPECT_NEAR(TiledFbm2(x, 0.3, 4, 3, 5u), TiledFbm2(x + 4.0, 4.3, 4, 3, 5u), 1e-12);
  }
}

TEST(GeneratorPalettes, QuantisedExactlyWithReservedEntriesAndWrittenEntryByEntry) {
  std::vector<Colour> colours;
  for (int i = 0; i < 300; ++i)
    colours.push_back(i % 3 == 0 ? Colour{1, 0, 0} : (i % 3 == 1 ? Colour{0, 1, 0} : Colour{0, 0, 1}));
  const PalettePicture p = QuantiseColours(colours, 1);
  ASSERT_EQ(p.indices.size(), colours.size());
  EXPECT_EQ(p.palette.rgb[0] + p.palette.rgb[1] + p.palette.rgb[2], 0);  // entry 0 left black
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const int e = p.indices[i];
    ASSERT_GE(e, 1);
    EXPECT_EQ(p.palette.rgb[3 * e], colours[i].r > 0.5 ? 255 : 0);
    EXPECT_EQ(p.palette.rgb[3 * e + 1], colours[i].g > 0.5 ? 255 : 0);
    EXPECT_EQ(p.palette.rgb[3 * e + 2], colours[i].b > 0.5 ? 255 : 0);
  }
  // A smooth ramp of many colours fits in 256 entries within a small error.
  std::vector<Colour> ramp;
  for (int i = 0; i < 4096; ++i) ramp.push_back({i / 4095.0, 1.0 - i / 4095.0, (i % 64) / 63.0});
  const PalettePicture q = QuantiseColours(ramp, 0);
  double worst = 0;
  for (std::size_t i = 0; i < ramp.size(); ++i) {
    const int e = q.indices[i];
    worst = std::max(worst, std::abs(q.palette.rgb[3 * e] / 255.0 - ramp[i].r));
  }
  EXPECT_LT(worst, 0.08);
  // Written as (r, g, b, 0) per entry after the 24 bytes of header (whose
  // fields GeneratedInventory checks on every palette of the set).
  const auto file = EncodePalette(q.palette);
  ASSERT_EQ(file.size(), 1048u);
  for (int i = 0; i < 4 * 256; ++i) ASSERT_EQ(file[24 + i], i % 4 == 3 ? 0 : q.palette.rgb[3 * (i / 4) + i % 4]) << i;
}

TEST(GeneratorText, PainterCentresAntialiasedLettersAndClipsAtTheEdges) {
  TextPainter painter;
  const int width = painter.Measure("MMMM", 20);
  EXPECT_GT(width, 40);
  EXPECT_LT(width, 100);
  EXPECT_GT(painter.Measure("MMMM", 20, 5), width);  // tracking widens
  Canvas c(200, 40);
  painter.DrawCentred(c, "MMMM", 20, 100, 30);
  int left = 200, right = -1, partial = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (c.At(x, y) > 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
      partial += (c.At(x, y) > 0 && c.At(x, y) < 255) ? 1 : 0;
    }
  }
  EXPECT_NEAR((left + right) / 2.0, 100.0, 3.0);
  EXPECT_GT(partial, 10);
  Canvas small(10, 10);  // text far larger than the canvas is clipped, not overrun
  painter.DrawCentred(small, "WIDE TEXT", 40, 5, 30);
  EXPECT_EQ(small.pixels.size(), 100u);
}

}  // namespace
}  // namespace vantrelle::datagen
