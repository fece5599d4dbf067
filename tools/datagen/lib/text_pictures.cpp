#include "tools/datagen/lib/text_pictures.h"

#include <algorithm>
#include <string>

namespace vantrelle::datagen {

namespace {

constexpr const char* kCoder = "Brasslantern";
constexpr const char* kArtist = "Moth Varo";
constexpr const char* kMusician = "Kelp Oracle";
constexpr const char* kGroup = "Pocket Orrery";

const std::vector<std::string> kGreetedGroups = {
    "Saltmarsh Collective", "Nine Lanterns",    "Velvet Tidewater", "Oxbow Radiance",  "Brasswind Foundry",
    "Polar Moth",           "Kestrel & Quartz", "Cinder Orchard",   "Glasshouse Echo", "Tinfoil Monarchs",
    "Paper Comet",          "Murmur Atelier",   "Quiet Voltage",    "Harbour Static",  "Juniper Signal"};

// The largest size not above `size` at which `text` fits in `width` pixels.
int FitSize(TextPainter& painter, const std::string& text, int size, int width, int tracking = 0) {
  while (size > 8 && painter.Measure(text, size, tracking) > width) --size;
  return size;
}

void Append(std::vector<std::uint8_t>& out, const Canvas& c) {
  out.insert(out.end(), c.pixels.begin(), c.pixels.end());
}

// Bright text with a soft halo: the halo is a blurred copy at a third of the
// brightness, so the letters glow a little when the page zooms and strobes.
Canvas WithHalo(const Canvas& text) {
  const Canvas halo = BlurCanvas(text, 3);
  Canvas out(text.width, text.height);
  for (std::size_t i = 0; i < out.pixels.size(); ++i) {
    out.pixels[i] = std::max<std::uint8_t>(text.pixels[i], static_cast<std::uint8_t>(halo.pixels[i] / 3));
  }
  return out;
}

// Scales coverage to a peak brightness.
void Dim(Canvas& c, int peak) {
  for (auto& p : c.pixels) p = static_cast<std::uint8_t>(p * peak / 255);
}

void Merge(Canvas& into, const Canvas& from) {
  for (std::size_t i = 0; i < into.pixels.size(); ++i) into.pixels[i] = std::max(into.pixels[i], from.pixels[i]);
}

// A thin horizontal rule from x0 to x1 on row y, fading at both ends.
void Rule(Canvas& c, int x0, int x1, int y, int peak) {
  for (int x = x0; x < x1; ++x) {
    const int fade = std::min({x - x0, x1 - 1 - x, 40});
    c.At(x, y) = std::max<std::uint8_t>(c.At(x, y), static_cast<std::uint8_t>(peak * fade / 40));
  }
}

}  // namespace

std::vector<std::uint8_t> MakeIntroTexts(TextPainter& painter) {
  const char* lines[kIntroTextCount] = {"VANTRELLE X2",      "pocket sized",       "light and rhythm",
                                        "sixteen bits deep", "one beat at a time", "welcome aboard"};
  std::vector<std::uint8_t> out;
  for (const char* line : lines) {
    Canvas c(400, 64);
    const int size = FitSize(painter, line, 44, 380, 1);
    const int cap = painter.CapHeight(size);
    painter.DrawCentred(c, line, size, 200, 32 + cap / 2, 1);
    Append(out, c);
  }
  return out;
}

std::vector<std::uint8_t> MakeCreditsPages(TextPainter& painter) {
  struct Page {
    const char* role;
    const char* name;
  };
  const Page pages[kCreditsPageCount] = {
      {"a handheld show by", kGroup}, {"code", kCoder}, {"graphics", kArtist}, {"music", kMusician}};
  std::vector<std::uint8_t> out;
  for (const Page& p : pages) {
    Canvas name(400, 240), role(400, 240);
    const int nameSize = FitSize(painter, p.name, 46, 370);
    painter.DrawCentred(name, p.name, nameSize, 200, 120 + painter.CapHeight(nameSize) / 2);
    painter.DrawCentred(role, p.role, 18, 200, 78, 3);
    Dim(role, 170);
    Canvas page = WithHalo(name);
    Merge(page, role);
    Rule(page, 90, 310, 152, 120);
    Append(out, page);
  }
  return out;
}

std::vector<std::uint8_t> MakeGreetings(TextPainter& painter) {
  std::vector<std::uint8_t> out;
  for (const std::string& group : kGreetedGroups) {
    Canvas name(400, 96), caption(400, 96);
    const int size = FitSize(painter, group, 36, 360);
    painter.DrawCentred(name, group, size, 200, 58 + painter.CapHeight(size) / 2);
    painter.DrawCentred(caption, "greetings to", 14, 200, 24, 2);
    Dim(caption, 150);
    Canvas strip = WithHalo(name);
    Merge(strip, caption);
    Append(out, strip);
  }
  return out;
}

std::vector<std::uint8_t> MakeEndScroll(TextPainter& painter) {
  Canvas c(kEndScrollWidth, kEndScrollHeight);
  struct Line {
    int size;  // pixel size, 0 for a gap
    int gap;   // rows to advance after the line
    const char* text;
  };
  const Line lines[] = {
      {32, 36, "VANTRELLE X2"},
      {14, 50, "a show in 544 beats"},
      {14, 22, "code"},
      {22, 38, kCoder},
      {14, 22, "graphics"},
      {22, 38, kArtist},
      {14, 22, "music"},
      {22, 38, kMusician},
      {14, 22, "mesh and motion"},
      {22, 56, kCoder},
      {14, 24, "made with"},
      {18, 24, "integer arithmetic"},
      {18, 24, "fixed point patience"},
      {18, 24, "one frame buffer"},
      {18, 56, "and sixteen bit colour"},
      {22, 28, "THANKS"},
      {16, 22, "to everyone who keeps"},
      {16, 22, "small screens glowing"},
      {16, 22, "and to all the groups"},
      {16, 0, "we greeted tonight"},
  };
  int baseline = 250;  // the scroll starts empty and the text rises into view
  for (const Line& l : lines) {
    const int size = FitSize(painter, l.text, l.size, kEndScrollWidth - 12);
    painter.DrawCentred(c, l.text, size, kEndScrollWidth / 2, baseline);
    baseline += l.gap;
  }
  // The last frame of the scene shows rows 887..1126: the farewell fills it.
  const int centre = kEndScrollLastShownRow - 120;
  const int size = FitSize(painter, "thank you for watching", 22, kEndScrollWidth - 12);
  painter.DrawCentred(c, "thank you for watching", size, kEndScrollWidth / 2,
                      centre - 14 + painter.CapHeight(size) / 2);
  painter.DrawCentred(c, kGroup, 16, kEndScrollWidth / 2, centre + 28);
  painter.DrawCentred(c, "signing off", 12, kEndScrollWidth / 2, centre + 50, 2);
  return c.pixels;
}

}  // namespace vantrelle::datagen
