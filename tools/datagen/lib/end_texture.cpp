#include "tools/datagen/lib/end_texture.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/noise.h"
#include "tools/datagen/lib/random.h"

namespace vantrelle::datagen {

namespace {

constexpr int kSize = 256;

double Grime(int x, int y) { return TiledFbm2(x / 32.0, y / 32.0, 8, 5, 901u); }

// Hull plates of 32 texels, some split into four; bevelled edges and rivets.
Colour Plating(int x, int y) {
  const int cx = x / 32, cy = y / 32;
  int px = x % 32, py = y % 32, size = 32;
  std::uint32_t id = Hash(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), 3u);
  if ((id & 3u) == 0u) {  // a quarter of the plates are split
    size = 16;
    id = Hash(static_cast<std::uint32_t>(x / 16), static_cast<std::uint32_t>(y / 16), 4u);
    px %= 16;
    py %= 16;
  }
  const double tint = HashUnit(id, 5u);
  Colour c = MixColour({0.50, 0.53, 0.58}, {0.62, 0.62, 0.60}, tint);
  if ((id >> 8) % 19u == 0u) {  // warning stripes on a few plates
    const bool yellow = ((x + y) / 6) % 2 == 0;
    c = yellow ? Colour{0.85, 0.68, 0.12} : Colour{0.12, 0.12, 0.12};
  }
  const double g = Grime(x, y);
  c = c * (0.82 + 0.22 * g);
  // Bevel: lit top-left edge, shadowed bottom-right edge, dark seam.
  if (px == 0 || py == 0)
    c = c * 0.35;
  else if (px == 1 || py == 1)
    c = c * 1.3;
  else if (px == size - 1 || py == size - 1)
    c = c * 0.6;
  // Rivets three texels in from each corner.
  const int rx = px < size / 2 ? px - 3 : size - 1 - px - 3, ry = py < size / 2 ? py - 3 : size - 1 - py - 3;
  if (rx * rx + ry * ry <= 1) c = c * (rx + ry < 0 ? 1.35 : 0.7);
  return c;
}

// A band of windows, some lit warm, some cool, some dark.
Colour Windows(int x, int y) {
  const int row = y - kEndTextureWindowRow;  // 0..31
  Colour c{0.16, 0.17, 0.2};
  if (row == 0 || row == 31) return c * 0.5;
  const int wx = x % 16, wy = row - 8;
  if (wx >= 3 && wx <= 12 && wy >= 0 && wy < 14) {
    const double u = HashUnit(static_cast<std::uint32_t>(x / 16), 6u);
    Colour lit = u < 0.55 ? Colour{1.0, 0.82, 0.45} : (u < 0.8 ? Colour{0.55, 0.85, 1.0} : Colour{0.06, 0.07, 0.1});
    const double frame = (wx == 3 || wx == 12 || wy == 0 || wy == 13) ? 0.55 : 1.0;
    return lit * frame;
  }
  const double stripe = (row == 4 || row == 27) ? 1.4 : 1.0;
  return c * stripe;
}

Colour SolarCells(int x, int y) {
  const int cx = x % 16, cy = y % 16;
  if (cx == 0 || cy == 0) return {0.75, 0.76, 0.8};  // silver grid
  const double sheen = 0.5 + 0.5 * Sin(kTwoPi * (x + 2.0 * y) / 256.0);
  Colour c = MixColour({0.05, 0.10, 0.35}, {0.20, 0.35, 0.75}, 0.35 * sheen + 0.2 * HashUnit(x / 16, y / 16, 7u));
  if (cx == 8) c = c * 1.25;  // bus bar
  return c;
}

Colour Pipe(int x, int y) {
  const int row = y - kEndTexturePipeRow;               // 0..63, across the pipe
  const double across = Sin(kPi * (row + 0.5) / 64.0);  // rounded shading
  const double rib = (x % 16) < 3 ? 0.7 : 1.0;
  Colour c = MixColour({0.35, 0.33, 0.3}, {0.8, 0.55, 0.25}, 0.25 + 0.3 * Grime(x, y));
  return c * (0.35 + 0.75 * across) * rib;
}

Colour Grille(int x, int y) {
  const int row = y - kEndTextureGrilleRow;  // 0..63
  const bool bar = (x % 8) < 2 || (row % 8) < 2;
  Colour c = bar ? Colour{0.45, 0.47, 0.5} : Colour{0.05, 0.06, 0.08};
  const double pulse = 0.5 + 0.5 * Sin(kTwoPi * x / 64.0);
  if (!bar && ((x / 8 + row / 8) % 5 == 0)) c = Colour{0.2, 0.9, 0.8} * (0.6 + 0.4 * pulse);
  return c;
}

}  // namespace

PalettePicture MakeEndTexture() {
  std::vector<Colour> texels(2 * kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      Colour a = (y >= kEndTextureWindowRow && y < kEndTextureWindowRow + 32) ? Windows(x, y) : Plating(x, y);
      Colour b = y < kEndTextureSolarRows ? SolarCells(x, y) : (y < kEndTextureGrilleRow ? Pipe(x, y) : Grille(x, y));
      texels[y * kSize + x] = {Clamp01(a.r), Clamp01(a.g), Clamp01(a.b)};
      texels[(kSize + y) * kSize + x] = {Clamp01(b.r), Clamp01(b.g), Clamp01(b.b)};
    }
  }
  return QuantiseColours(texels, 0);
}

}  // namespace vantrelle::datagen
