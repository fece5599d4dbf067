#include "effects/glow.h"

#include "core/rgb565.h"

namespace vantrelle {

namespace {

// Scratch, rewritten by every call: the horizontally blurred half-resolution
// frame (red << 16 | green << 8 | blue, 8 bits each), the running column sums
// and one row of increments.
std::array<std::uint32_t, kGlowWidth * kGlowHeight> GlowBuffer{};
std::array<std::int32_t, kGlowWidth> sumR{};
std::array<std::int32_t, kGlowWidth> sumG{};
std::array<std::int32_t, kGlowWidth> sumB{};
std::array<std::uint16_t, kFrameWidth> increments{};

constexpr std::int32_t kHalfBox = 8;                      // the box spans samples x - 8 .. x + 7
constexpr std::int32_t kHorizontalScale = 3855;           // 16.16, about 1/17
constexpr std::int32_t kVerticalScale = 7710;             // 16.16, about 2/17: the light is doubled

// Fields widened to 8 bits without repeating their top bits.
constexpr std::int32_t Red8(std::uint32_t p) { return static_cast<std::int32_t>((p >> 8) & 0xF8); }
constexpr std::int32_t Green8(std::uint32_t p) { return static_cast<std::int32_t>((p >> 3) & 0xFC); }
constexpr std::int32_t Blue8(std::uint32_t p) { return static_cast<std::int32_t>((p & 0x1F) << 3); }

// Running red, green and blue sums of 8-bit channels.
struct ChannelSums {
  std::int32_t r = 0;
  std::int32_t g = 0;
  std::int32_t b = 0;
  void Add(std::uint32_t p) {
    r += Red8(p);
    g += Green8(p);
    b += Blue8(p);
  }
  void Remove(std::uint32_t p) {
    r -= Red8(p);
    g -= Green8(p);
    b -= Blue8(p);
  }
  std::uint32_t Packed() const {
    return static_cast<std::uint32_t>(((r * kHorizontalScale) >> 16) << 16 | ((g * kHorizontalScale) >> 16) << 8 |
                                      ((b * kHorizontalScale) >> 16));
  }
};

// Every second pixel of every second frame row, blurred along the row. The
// box enters samples x + 8 while they exist and drops samples x - 8 once they
// do, so the row splits into a leading, a full and a trailing stretch.
void BlurRows(const FrameBuffer& frame) {
  for (std::int32_t y = 0; y < kGlowHeight; ++y) {
    const std::uint16_t* row = frame.data() + 2 * y * kFrameWidth;
    auto sample = [row](std::int32_t x) { return static_cast<std::uint32_t>(row[2 * x]); };
    std::uint32_t* out = GlowBuffer.data() + y * kGlowWidth;
    ChannelSums sums;
    for (std::int32_t x = 0; x < kHalfBox; ++x) sums.Add(sample(x));
    std::int32_t x = 0;
    for (; x < kHalfBox; ++x) {
      out[x] = sums.Packed();
      sums.Add(sample(x + kHalfBox));
    }
    for (; x < kGlowWidth - kHalfBox; ++x) {
      out[x] = sums.Packed();
      sums.Add(sample(x + kHalfBox));
      sums.Remove(sample(x - kHalfBox));
    }
    for (; x < kGlowWidth; ++x) {
      out[x] = sums.Packed();
      sums.Remove(sample(x - kHalfBox));
    }
  }
}

// Adds each field of the increments to the row's pixels, limited to the field's maximum.
void AddSaturated(std::uint16_t* row, const std::uint16_t* increments) {
  for (std::int32_t c = 0; c < kFrameWidth; ++c) {
    const std::uint32_t p = row[c];
    const std::uint32_t q = increments[c];
    std::uint32_t r = (p & kRedMask) + (q & kRedMask);
    std::uint32_t g = (p & kGreenMask) + (q & kGreenMask);
    std::uint32_t b = (p & kBlueMask) + (q & kBlueMask);
    r = r < kRedMask ? r : kRedMask;
    g = g < kGreenMask ? g : kGreenMask;
    b = b < kBlueMask ? b : kBlueMask;
    row[c] = static_cast<std::uint16_t>(r | g | b);
  }
}

// Every column of the buffer blurred downward and added onto the 2 x 2 frame
// pixels it stands for. The columns are independent, so they advance together
// row by row, each with its own running sums.
void BlurColumnsOntoFrame(FrameBuffer& frame) {
  sumR.fill(0);
  sumG.fill(0);
  sumB.fill(0);
  const std::uint32_t* glow = GlowBuffer.data();
  auto addRow = [glow](std::int32_t y, std::int32_t sign) {
    const std::uint32_t* row = glow + y * kGlowWidth;
    for (std::int32_t x = 0; x < kGlowWidth; ++x) {
      sumR[x] += sign * static_cast<std::int32_t>((row[x] >> 16) & 255);
      sumG[x] += sign * static_cast<std::int32_t>((row[x] >> 8) & 255);
      sumB[x] += sign * static_cast<std::int32_t>(row[x] & 255);
    }
  };
  for (std::int32_t y = 0; y < kHalfBox; ++y) addRow(y, +1);

  // increments: one buffer row, one RGB565 word per frame column.
  for (std::int32_t y = 0; y < kGlowHeight; ++y) {
    for (std::int32_t x = 0; x < kGlowWidth; ++x) {
      // The averages, doubled, land directly in the RGB565 field positions.
      std::uint32_t red = static_cast<std::uint32_t>((sumR[x] * kVerticalScale) >> 8) & ~0x7FFu;
      std::uint32_t green = static_cast<std::uint32_t>((sumG[x] * kVerticalScale) >> 13) & ~0x1Fu;
      std::uint32_t blue = static_cast<std::uint32_t>((sumB[x] * kVerticalScale) >> 19);
      // Each at most its field's maximum, so the three share one word; the
      // pixel's field saturates there anyway.
      red = red < kRedMask ? red : kRedMask;
      green = green < kGreenMask ? green : kGreenMask;
      blue = blue < kBlueMask ? blue : kBlueMask;
      increments[2 * x] = static_cast<std::uint16_t>(red | green | blue);
      increments[2 * x + 1] = increments[2 * x];
    }
    std::uint16_t* top = frame.data() + 2 * y * kFrameWidth;
    AddSaturated(top, increments.data());
    AddSaturated(top + kFrameWidth, increments.data());
    if (y + kHalfBox < kGlowHeight) addRow(y + kHalfBox, +1);
    if (y >= kHalfBox) addRow(y - kHalfBox, -1);
  }
}

}  // namespace

void ApplyGlow(FrameBuffer& frame) {
  // The whole horizontal pass comes first: the glow is taken from the frame as it was on entry.
  BlurRows(frame);
  BlurColumnsOntoFrame(frame);
}

}  // namespace vantrelle
