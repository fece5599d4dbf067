#include "tools/datagen/lib/soundtrack.h"

#include "tools/datagen/lib/det_math.h"
#include "tools/datagen/lib/mp3_encoder.h"
#include "tools/datagen/lib/random.h"
#include "tools/datagen/lib/synth.h"

namespace vantrelle::datagen {

namespace {

constexpr int kKbps = 96;  // 22.05 kHz stereo: about 3 MB for the show

// Sample position of a time in sixteenth notes (four per beat).
std::int64_t AtSixteenth(std::int64_t sixteenth) { return sixteenth * kBeatMs * kSampleRate / 4000; }
std::int64_t AtBeat(double beat) { return AtSixteenth(static_cast<std::int64_t>(Floor(beat * 4.0 + 0.5))); }
constexpr double kBeatSeconds = kBeatMs / 1000.0;

// How a section plays. Each scene of the show gets one.
enum class Style {
  kOpening,  // pads out of silence, a drone, bells
  kRings,    // soft pulse under the text lines
  kDrive,    // four on the floor, bass, arpeggio
  kCredits,  // a chord stab on every zoom jump
  kGroove,   // the portrait scenes: half-time groove with arpeggio
  kTunnel,   // fast: sixteenth bass and hats
  kClip,     // breakdown under the greetings, bells on each page
  kFloat,    // the planet: pads and a slow bass, light percussion
  kLead,     // the station: groove with a lead melody
  kOutro,    // thinning out toward the end
};

struct Section {
  int begin, end;  // beats
  Style style;
  int progression;
};

// The scene bounds of the show, in beats of 462 ms.
constexpr Section kScore[] = {
    {0, 32, Style::kOpening, 0},    {32, 48, Style::kRings, 0},     {48, 56, Style::kRings, 1},
    {56, 64, Style::kRings, 0},     {64, 72, Style::kRings, 1},     {72, 80, Style::kRings, 0},
    {80, 96, Style::kRings, 2},     {96, 128, Style::kDrive, 0},    {128, 132, Style::kCredits, 0},
    {132, 144, Style::kGroove, 1},  {144, 148, Style::kCredits, 1}, {148, 160, Style::kGroove, 2},
    {160, 164, Style::kCredits, 2}, {164, 176, Style::kGroove, 3},  {176, 180, Style::kCredits, 3},
    {180, 192, Style::kGroove, 0},  {192, 224, Style::kTunnel, 2},  {224, 288, Style::kClip, 1},
    {288, 320, Style::kDrive, 3},   {320, 352, Style::kFloat, 1},   {352, 384, Style::kDrive, 0},
    {384, 416, Style::kTunnel, 3},  {416, 448, Style::kLead, 0},    {448, 480, Style::kLead, 2},
    {480, 544, Style::kOutro, 1},
};

// Scenes that open from a white flash, and the flashes that close scenes.
constexpr int kFlashBeats[] = {96, 132, 148, 164, 180, 192, 288, 320, 352, 480};
struct Swell {
  int from, to;
};
constexpr Swell kWhiteOuts[] = {{280, 288}, {408, 416}, {472, 480}};
constexpr int kGreetingFirstBeat = 227;  // the first greeting page, then one every four beats
constexpr int kGreetingCount = 15;
constexpr int kTextBeats[] = {32, 48, 56, 64, 72, 80};

// A chord: bass root and four pad notes (MIDI).
struct Chord {
  int root;
  int notes[4];
};
constexpr Chord kAm{33, {57, 60, 64, 67}}, kF{29, {57, 60, 65, 69}}, kC{36, {55, 60, 64, 67}}, kG{31, {55, 59, 62, 67}},
    kDm{38, {57, 62, 65, 69}}, kEm{28, {55, 59, 64, 67}};
constexpr Chord kProgressions[4][4] = {{kAm, kF, kC, kG}, {kF, kG, kAm, kAm}, {kDm, kF, kAm, kG}, {kAm, kEm, kF, kG}};

const Chord& ChordAt(const Section& s, int beat) { return kProgressions[s.progression][((beat - s.begin) / 4) % 4]; }

struct Parts {
  StereoBuffer dry, echo, room;
  explicit Parts(std::size_t n) : dry(n), echo(n), room(n) {}
};

void Drums(Parts& p, const Section& s, int beat, int step, std::uint32_t seed) {
  const std::int64_t at = AtSixteenth(static_cast<std::int64_t>(beat) * 4 + step);
  const bool onBeat = step == 0;
  const bool backBeat = onBeat && (beat % 2 == 1);
  switch (s.style) {
    case Style::kRings:
      if (onBeat && beat % 2 == 0) Kick(p.dry, at, 0.55);
      if (step == 2) HiHat(p.dry, at, 0.08, 0.03, 0.3, seed);
      if (backBeat && beat % 4 == 3) Snare(p.room, at, 0.25, seed);
      break;
    case Style::kDrive:
    case Style::kTunnel:
      if (onBeat) Kick(p.dry, at, 0.8);
      if (backBeat) {
        Clap(p.dry, at, 0.35, seed);
        Snare(p.room, at, 0.3, seed + 1u);
      }
      if (step == 2)
        HiHat(p.dry, at, 0.12, 0.1, 0.25, seed);
      else if (s.style == Style::kTunnel || step % 2 == 1)
        HiHat(p.dry, at, 0.05, 0.025, -0.25, seed);
      break;
    case Style::kCredits:
      if (onBeat) Kick(p.dry, at, 0.8);
      if (step % 2 == 0) HiHat(p.dry, at, 0.08, 0.03, 0.2, seed);
      break;
    case Style::kGroove:
    case Style::kLead:
      if ((onBeat && beat % 4 == 0) || (step == 2 && beat % 4 == 1) || (onBeat && beat % 4 == 2)) {
        Kick(p.dry, at, 0.75);
      }
      if (backBeat) Snare(p.dry, at, 0.45, seed);
      if (step % 2 == 0) HiHat(p.dry, at, step == 2 ? 0.1 : 0.06, 0.035, 0.3, seed);
      break;
    case Style::kClip:
      if (onBeat && beat % 4 == 0) Kick(p.dry, at, 0.65);
      if (onBeat && beat % 4 == 2) Snare(p.room, at, 0.35, seed);
      if (step == 2) HiHat(p.dry, at, 0.06, 0.05, 0.3, seed);
      break;
    case Style::kFloat:
      if (onBeat && beat % 4 == 0) Kick(p.dry, at, 0.5);
      if (step == 3 && beat % 2 == 1) HiHat(p.room, at, 0.08, 0.1, -0.4, seed);
      break;
    case Style::kOutro: {
      const double fade = 1.0 - Clamp01((beat - 512) / 28.0);
      if (fade <= 0.0) break;
      if (onBeat) Kick(p.dry, at, 0.6 * fade);
      if (backBeat) Snare(p.room, at, 0.3 * fade, seed);
      if (step == 2) HiHat(p.dry, at, 0.07 * fade, 0.04, 0.3, seed);
      break;
    }
    case Style::kOpening:
      break;
  }
}

void Harmony(Parts& p, const Section& s, int beat, Random& rng) {
  const Chord& c = ChordAt(s, beat);
  const bool barStart = (beat - s.begin) % 4 == 0;
  const double bar = 4.0 * kBeatSeconds;
  const std::int64_t at = AtBeat(beat);
  auto pads = [&](double gain) {
    if (!barStart) return;
    for (int k = 0; k < 4; ++k) Pad(p.room, at, bar, c.notes[k], gain, -0.6 + 0.4 * k);
  };
  auto bassEighths = [&](double gain, double bright) {
    for (int e = 0; e < 2; ++e) {
      const int note = c.root + 12 + ((e == 1 && beat % 2 == 1) ? 7 : 0);
      Bass(p.dry, AtBeat(beat + 0.5 * e), 0.45 * kBeatSeconds, note, gain, bright);
    }
  };
  auto arpeggio = [&](int stepsPerBeat, double gain, double bright) {
    static constexpr int kOrder[8] = {0, 1, 2, 3, 2, 1, 3, 0};
    for (int k = 0; k < stepsPerBeat; ++k) {
      const int n = (beat * stepsPerBeat + k);
      const int note = c.notes[kOrder[n % 8] % 4] + 12 * ((n / 8) % 2);
      Pluck(p.echo, AtBeat(beat + static_cast<double>(k) / stepsPerBeat), kBeatSeconds / stepsPerBeat, note, gain,
            (n % 2 == 0) ? -0.35 : 0.35, bright);
    }
  };
  switch (s.style) {
    case Style::kOpening: {
      pads(0.1 + 0.1 * Clamp01(beat / 8.0));
      if (barStart && beat % 8 == 0) SubDrone(p.dry, at, 8.0 * kBeatSeconds, c.root + 12, 0.28);
      if (beat >= 16 && beat % 2 == 0) Bell(p.echo, at, c.notes[(beat / 2) % 4] + 12, 0.1, beat % 4 == 0 ? -0.5 : 0.5);
      break;
    }
    case Style::kRings:
      pads(0.16);
      if (beat % 2 == 0) Bass(p.dry, at, 1.6 * kBeatSeconds, c.root + 12, 0.4, 0.25);
      arpeggio(2, 0.12, 0.3);
      break;
    case Style::kDrive:
      pads(0.12);
      bassEighths(0.45, 0.6);
      arpeggio(4, 0.11, 0.55 + 0.4 * ((beat - s.begin) % 16) / 16.0);
      break;
    case Style::kCredits:
      // The page zooms in eight jumps of half a beat: one stab per jump.
      for (int e = 0; e < 2; ++e) {
        for (int k = 0; k < 3; ++k) Stab(p.echo, AtBeat(beat + 0.5 * e), c.notes[k + 1], 0.12, -0.4 + 0.4 * k);
      }
      Bass(p.dry, at, 0.4 * kBeatSeconds, c.root + 12, 0.45, 0.7);
      break;
    case Style::kGroove:
      pads(0.13);
      if (beat % 2 == 0) {
        Bass(p.dry, at, 0.7 * kBeatSeconds, c.root + 12, 0.5, 0.5);
        Bass(p.dry, AtBeat(beat + 0.75), 0.2 * kBeatSeconds, c.root + 24, 0.35, 0.6);
        Bass(p.dry, AtBeat(beat + 1.5), 0.4 * kBeatSeconds, c.root + 12, 0.45, 0.5);
      }
      arpeggio(4, 0.09, 0.4);
      break;
    case Style::kTunnel:
      pads(0.1);
      for (int k = 0; k < 4; ++k) {
        Bass(p.dry, AtBeat(beat + 0.25 * k), 0.2 * kBeatSeconds, c.root + 12 + (k == 3 ? 12 : 0), 0.42, 0.75);
      }
      arpeggio(4, 0.1, 0.8);
      break;
    case Style::kClip:
      pads(0.17);
      if (barStart) Bass(p.dry, at, 3.5 * kBeatSeconds, c.root + 12, 0.4, 0.2);
      arpeggio(2, 0.08, 0.25);
      break;
    case Style::kFloat:
      pads(0.2);
      if (barStart) SubDrone(p.dry, at, 4.0 * kBeatSeconds, c.root + 12, 0.3);
      if (beat % 2 == 1) {
        // Pan, then note: the order the set's bytes were made in.
        const double pan = rng.Range(-0.7, 0.7);
        Bell(p.echo, AtBeat(beat + 0.5), c.notes[rng.Below(4)] + 12, 0.07, pan);
      }
      break;
    case Style::kLead: {
      pads(0.11);
      bassEighths(0.42, 0.45);
      arpeggio(2, 0.07, 0.35);
      // A melody over each bar: long-short-short-long on chord tones.
      if (barStart) {
        static constexpr double kRhythm[4][2] = {{0.0, 1.5}, {1.5, 0.5}, {2.0, 1.0}, {3.0, 1.0}};
        for (int k = 0; k < 4; ++k) {
          const int tone = c.notes[(k + rng.Below(3)) % 4] + 12;
          Lead(p.echo, AtBeat(beat + kRhythm[k][0]), kRhythm[k][1] * kBeatSeconds * 0.9, tone, 0.13, 0.1);
        }
      }
      break;
    }
    case Style::kOutro: {
      pads(0.16);
      if (beat < 536) {
        if (beat % 2 == 0) Bass(p.dry, at, 1.6 * kBeatSeconds, c.root + 12, 0.35, 0.3);
        arpeggio(beat < 512 ? 4 : 2, 0.08, 0.4);
      }
      break;
    }
  }
}

}  // namespace

std::vector<std::int16_t> RenderSoundtrack() {
  const std::size_t frames =
      static_cast<std::size_t>((static_cast<std::int64_t>(kShowBeats) * kBeatMs + kTailMs) * kSampleRate / 1000);
  Parts p(frames);
  Random rng(0xB347ull);
  std::uint32_t seed = 1;
  for (const Section& s : kScore) {
    for (int beat = s.begin; beat < s.end; ++beat) {
      for (int step = 0; step < 4; ++step) Drums(p, s, beat, step, seed++);
      Harmony(p, s, beat, rng);
    }
  }
  for (int b : kFlashBeats) {
    Crash(p.dry, AtBeat(b), 0.28, seed++);
    Kick(p.dry, AtBeat(b), 0.5);
    SubDrone(p.dry, AtBeat(b), 2.0 * kBeatSeconds, 33, 0.25);
  }
  for (const Swell& w : kWhiteOuts) Riser(p.dry, AtBeat(w.from), AtBeat(w.to), 0.5, seed++);
  for (int b : kTextBeats) Bell(p.echo, AtBeat(b), 76, 0.12, 0.0);
  for (int k = 0; k < kGreetingCount; ++k) {
    const int beat = kGreetingFirstBeat + 4 * k;
    Bell(p.echo, AtBeat(beat), (k % 2 == 0) ? 81 : 76, 0.13, (k % 2 == 0) ? -0.4 : 0.4);
  }
  // The last chord, held into the tail.
  for (int k = 0; k < 4; ++k) Pad(p.room, AtBeat(536), 8.0 * kBeatSeconds, kAm.notes[k], 0.2, -0.6 + 0.4 * k);
  SubDrone(p.dry, AtBeat(536), 8.0 * kBeatSeconds, 45, 0.3);
  Bell(p.echo, AtBeat(536), 81, 0.15, 0.0);

  StereoBuffer mix = p.dry;
  for (std::size_t i = 0; i < frames; ++i) {
    mix.left[i] += p.echo.left[i] + p.room.left[i];
    mix.right[i] += p.echo.right[i] + p.room.right[i];
  }
  AddEcho(p.echo, mix, AtSixteenth(3), 0.38, 0.4);  // a dotted-eighth echo
  AddReverb(p.room, mix, 0.5);
  AddReverb(p.echo, mix, 0.25);

  // Master: the opening swells from silence, the end fades to black, and a
  // soft clipper keeps the peaks round.
  std::vector<std::int16_t> out(2 * frames);
  const double fadeInEnd = static_cast<double>(AtBeat(4));
  const double fadeOutBegin = static_cast<double>(AtBeat(540));
  const double fadeOutEnd = static_cast<double>(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    double gain = 0.8;
    const double t = static_cast<double>(i);
    if (t < fadeInEnd) gain *= t / fadeInEnd;
    if (t > fadeOutBegin) gain *= 1.0 - (t - fadeOutBegin) / (fadeOutEnd - fadeOutBegin);
    for (int ch = 0; ch < 2; ++ch) {
      double x = (ch == 0 ? mix.left[i] : mix.right[i]) * gain;
      x = Clamp(x, -3.0, 3.0);
      x = x * (27.0 + x * x) / (27.0 + 9.0 * x * x);
      out[2 * i + ch] = static_cast<std::int16_t>(Floor(Clamp(x, -1.0, 1.0) * 32000.0 + 0.5));
    }
  }
  return out;
}

Result<std::vector<std::uint8_t>> MakeSoundtrack() { return EncodeMp3(RenderSoundtrack(), kSampleRate, kKbps); }

}  // namespace vantrelle::datagen
