#include "tools/datagen/lib/palette_picture.h"

#include <algorithm>

#include "tools/datagen/lib/det_math.h"

namespace vantrelle::datagen {

namespace {

// Colours are histogrammed at six bits per channel: the show stores them as
// RGB565, so the two dropped bits never reach the screen.
constexpr int kKeyBits = 6;
constexpr int kKeyCount = 1 << (3 * kKeyBits);
constexpr int kKMeansRounds = 3;

struct Bin {
  int key = 0;
  std::int64_t count = 0;
  std::int64_t sum[3] = {0, 0, 0};  // 8-bit channel sums
  int Channel(int c) const { return (key >> (kKeyBits * (2 - c))) & ((1 << kKeyBits) - 1); }
};

struct Box {
  int begin = 0, end = 0;  // range of bins
  double error = 0.0;      // summed squared spread, the split priority
  int channel = 0;         // channel of widest spread
};

void Measure(const std::vector<Bin>& bins, Box& box) {
  double n = 0.0, mean[3] = {0, 0, 0}, sq[3] = {0, 0, 0};
  for (int i = box.begin; i < box.end; ++i) {
    const double w = static_cast<double>(bins[i].count);
    n += w;
    for (int c = 0; c < 3; ++c) {
      const double v = bins[i].Channel(c);
      mean[c] += w * v;
      sq[c] += w * v * v;
    }
  }
  box.error = 0.0;
  double widest = -1.0;
  for (int c = 0; c < 3; ++c) {
    const double spread = sq[c] - mean[c] * mean[c] / n;
    box.error += spread;
    if (spread > widest) {
      widest = spread;
      box.channel = c;
    }
  }
  if (box.end - box.begin < 2) box.error = 0.0;
}

int Distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
  return 2 * dr * dr + 4 * dg * dg + db * db;  // the eye is most sensitive to green
}

std::array<int, 3> BinColour(const Bin& b) {
  std::array<int, 3> c{};
  for (int k = 0; k < 3; ++k) c[k] = static_cast<int>((b.sum[k] + b.count / 2) / b.count);
  return c;
}

}  // namespace

Colour MixColour(Colour a, Colour b, double t) { return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)}; }

PalettePicture QuantiseColours(const std::vector<Colour>& colours, int firstIndex) {
  std::vector<int> keys(colours.size());
  std::vector<Bin> table(kKeyCount);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const int r = ToByte(colours[i].r * 255.0), g = ToByte(colours[i].g * 255.0), b = ToByte(colours[i].b * 255.0);
    const int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
    keys[i] = key;
    Bin& bin = table[key];
    bin.key = key;
    ++bin.count;
    bin.sum[0] += r;
    bin.sum[1] += g;
    bin.sum[2] += b;
  }
  std::vector<Bin> bins;
  for (const Bin& b : table) {
    if (b.count > 0) bins.push_back(b);
  }

  // Median cut: split the box of largest spread at its weighted median.
  const int wanted = 256 - firstIndex;
  std::vector<Box> boxes(1);
  boxes[0].end = static_cast<int>(bins.size());
  Measure(bins, boxes[0]);
  while (static_cast<int>(boxes.size()) < wanted) {
    int pick = -1;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
      if (boxes[i].error > 0.0 && (pick < 0 || boxes[i].error > boxes[pick].error)) pick = i;
    }
    if (pick < 0) break;
    Box box = boxes[pick];
    const int ch = box.channel;
    std::sort(bins.begin() + box.begin, bins.begin() + box.end, [ch](const Bin& a, const Bin& b) {
      return a.Channel(ch) != b.Channel(ch) ? a.Channel(ch) < b.Channel(ch) : a.key < b.key;
    });
    std::int64_t total = 0;
    for (int i = box.begin; i < box.end; ++i) total += bins[i].count;
    std::int64_t run = 0;
    int cut = box.begin + 1;
    for (int i = box.begin; i < box.end - 1; ++i) {
      run += bins[i].count;
      cut = i + 1;
      if (2 * run >= total) break;
    }
    Box low{box.begin, cut, 0.0, 0}, high{cut, box.end, 0.0, 0};
    Measure(bins, low);
    Measure(bins, high);
    boxes[pick] = low;
    boxes.push_back(high);
  }

  std::vector<std::array<int, 3>> centres;
  for (const Box& box : boxes) {
    std::int64_t n = 0, s[3] = {0, 0, 0};
    for (int i = box.begin; i < box.end; ++i) {
      n += bins[i].count;
      for (int c = 0; c < 3; ++c) s[c] += bins[i].sum[c];
    }
    if (n == 0) continue;
    centres.push_back({static_cast<int>((s[0] + n / 2) / n), static_cast<int>((s[1] + n / 2) / n),
                       static_cast<int>((s[2] + n / 2) / n)});
  }

  // Refine: each bin goes to its nearest centre, centres move to their means.
  std::vector<int> nearest(bins.size(), 0);
  for (int round = 0; round <= kKMeansRounds; ++round) {
    for (std::size_t i = 0; i < bins.size(); ++i) {
      const std::array<int, 3> c = BinColour(bins[i]);
      int best = 0, bestDistance = Distance(c, centres[0]);
      for (int k = 1; k < static_cast<int>(centres.size()); ++k) {
        const int d = Distance(c, centres[k]);
        if (d < bestDistance) {
          bestDistance = d;
          best = k;
        }
      }
      nearest[i] = best;
    }
    if (round == kKMeansRounds) break;
    std::vector<std::array<std::int64_t, 4>> acc(centres.size(), {0, 0, 0, 0});
    for (std::size_t i = 0; i < bins.size(); ++i) {
      auto& a = acc[nearest[i]];
      for (int c = 0; c < 3; ++c) a[c] += bins[i].sum[c];
      a[3] += bins[i].count;
    }
    for (std::size_t k = 0; k < centres.size(); ++k) {
      const std::int64_t n = acc[k][3];
      if (n == 0) continue;
      for (int c = 0; c < 3; ++c) centres[k][c] = static_cast<int>((acc[k][c] + n / 2) / n);
    }
  }

  PalettePicture out;
  for (std::size_t k = 0; k < centres.size(); ++k) {
    for (int c = 0; c < 3; ++c) out.palette.rgb[3 * (firstIndex + k) + c] = static_cast<std::uint8_t>(centres[k][c]);
  }
  std::vector<std::uint8_t> indexOfKey(kKeyCount, 0);
  for (std::size_t i = 0; i < bins.size(); ++i) {
    indexOfKey[bins[i].key] = static_cast<std::uint8_t>(firstIndex + nearest[i]);
  }
  out.indices.resize(colours.size());
  for (std::size_t i = 0; i < colours.size(); ++i) out.indices[i] = indexOfKey[keys[i]];
  return out;
}

std::vector<std::uint8_t> EncodePalette(const Palette& palette) {
  std::vector<std::uint8_t> out;
  auto put32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto tag = [&out](const char* s) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(s[i]));
  };
  tag("RIFF");
  put32(1040);  // file size less the first eight bytes
  tag("PAL ");
  tag("data");
  put32(1028);          // version, count and 256 entries
  out.push_back(0x00);  // palette version 0x0300
  out.push_back(0x03);
  out.push_back(0x00);  // 256 entries
  out.push_back(0x01);
  for (int i = 0; i < 256; ++i) {
    out.push_back(palette.rgb[3 * i]);
    out.push_back(palette.rgb[3 * i + 1]);
    out.push_back(palette.rgb[3 * i + 2]);
    out.push_back(0);
  }
  return out;
}

}  // namespace vantrelle::datagen
