#pragma once
// Palette pictures: colours are reduced to at most 256 palette entries by a
// median cut refined with a few rounds of k-means, and palettes are written
// as 1048-byte RIFF palette files.
#include <array>
#include <cstdint>
#include <vector>

namespace vantrelle::datagen {

struct Colour {
  double r = 0.0, g = 0.0, b = 0.0;  // 0..1, display values
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour MixColour(Colour a, Colour b, double t);

struct Palette {
  std::array<std::uint8_t, 768> rgb{};  // entry i at 3i: red, green, blue
};

struct PalettePicture {
  Palette palette;
  std::vector<std::uint8_t> indices;  // one per input colour, all >= firstIndex
};

// Reduces `colours` to palette entries firstIndex..255 (entries below
// firstIndex stay black, for example a transparent index 0).
PalettePicture QuantiseColours(const std::vector<Colour>& colours, int firstIndex);

// The .pal file: RIFF header, then 256 entries of red, green, blue, flags 0.
std::vector<std::uint8_t> EncodePalette(const Palette& palette);

}  // namespace vantrelle::datagen
