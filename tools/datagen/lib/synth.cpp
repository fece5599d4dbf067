#include "tools/datagen/lib/synth.h"

#include <array>

#include "tools/datagen/lib/det_math.h"

namespace vantrelle::datagen {

namespace {

constexpr double kRate = kSampleRate;
constexpr int kSineSize = 4096;

const std::array<float, kSineSize + 1>& SineTable() {
  static const std::array<float, kSineSize + 1> table = [] {
    std::array<float, kSineSize + 1> t{};
    for (int i = 0; i <= kSineSize; ++i) t[i] = static_cast<float>(Sin(kTwoPi * i / kSineSize));
    return t;
  }();
  return table;
}

// phase in turns, any value >= 0
double SineAt(double phase) {
  const double x = (phase - Floor(phase)) * kSineSize;
  const int i = static_cast<int>(x);
  const double f = x - i;
  const auto& t = SineTable();
  return t[i] + (t[i + 1] - t[i]) * f;
}

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : s_(seed * 2654435761u + 1u) {}
  double Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return static_cast<double>(s_ >> 8) * (2.0 / 16777216.0) - 1.0;
  }

 private:
  std::uint32_t s_;
};

// Band-limited step correction for the naive sawtooth.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    const double x = t / dt;
    return x + x - x * x - 1.0;
  }
  if (t > 1.0 - dt) {
    const double x = (t - 1.0) / dt;
    return x * x + x + x + 1.0;
  }
  return 0.0;
}

struct Saw {
  double phase = 0.0;
  double Next(double freq) {
    const double dt = freq / kRate;
    const double v = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
    phase += dt;
    if (phase >= 1.0) phase -= 1.0;
    return v;
  }
};

// Chamberlin state-variable filter; f is kept low enough to stay stable.
struct Svf {
  double low = 0.0, band = 0.0;
  double Low(double x, double cutoff, double damping) {
    double f = kTwoPi * cutoff / kRate;
    if (f > 0.95) f = 0.95;
    low += f * band;
    const double high = x - low - damping * band;
    band += f * high;
    return low;
  }
  double Band(double x, double cutoff, double damping) {
    Low(x, cutoff, damping);
    return band;
  }
};

struct Pan {
  double l, r;
  explicit Pan(double pan) : l(pan > 0 ? 1.0 - 0.7 * pan : 1.0), r(pan < 0 ? 1.0 + 0.7 * pan : 1.0) {}
};

void Put(StereoBuffer& out, std::int64_t i, double v, const Pan& pan) {
  if (i < 0 || i >= static_cast<std::int64_t>(out.Frames())) return;
  out.left[i] += static_cast<float>(v * pan.l);
  out.right[i] += static_cast<float>(v * pan.r);
}

std::int64_t Frames(double seconds) { return static_cast<std::int64_t>(seconds * kRate); }

// Per-sample factor of an exponential decay with time constant tau seconds.
double DecayFactor(double tau) { return Exp(-1.0 / (tau * kRate)); }

// Attack / hold / release envelope, linear ramps.
double Envelope(std::int64_t i, std::int64_t attack, std::int64_t hold, std::int64_t release) {
  if (i < attack) return static_cast<double>(i) / attack;
  if (i < hold) return 1.0;
  const std::int64_t r = i - hold;
  return r >= release ? 0.0 : 1.0 - static_cast<double>(r) / release;
}

}  // namespace

double NoteFrequency(double midiNote) { return 440.0 * Exp2((midiNote - 69.0) / 12.0); }

void Kick(StereoBuffer& out, std::int64_t at, double gain) {
  const Pan centre(0.0);
  const std::int64_t n = Frames(0.5);
  double phase = 0.0, pitch = 1.0, amp = 1.0;
  const double kp = DecayFactor(0.03), ka = DecayFactor(0.17);
  for (std::int64_t i = 0; i < n; ++i) {
    const double f = 44.0 + 120.0 * pitch;
    phase += f / kRate;
    double v = SineAt(phase) * amp;
    if (i < 60) v += 0.25 * (1.0 - i / 60.0) * SineAt(phase * 7.0);  // beater click
    Put(out, at + i, v * gain, centre);
    pitch *= kp;
    amp *= ka;
  }
}

void Snare(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed) {
  const Pan centre(0.05);
  Noise noise(seed);
  Svf hp;
  const std::int64_t n = Frames(0.3);
  double a1 = 1.0, a2 = 1.0, phase = 0.0;
  const double k1 = DecayFactor(0.07), k2 = DecayFactor(0.045);
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = noise.Next();
    const double high = x - hp.Low(x, 900.0, 1.0);
    phase += 185.0 / kRate;
    const double v = 0.65 * high * a1 + 0.5 * SineAt(phase) * a2;
    Put(out, at + i, v * gain, centre);
    a1 *= k1;
    a2 *= k2;
  }
}

void Clap(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed) {
  const Pan centre(-0.05);
  Noise noise(seed);
  Svf bp;
  const std::int64_t n = Frames(0.35), burst = Frames(0.009);
  const double tail = DecayFactor(0.09);
  double amp = 1.0;
  for (std::int64_t i = 0; i < n; ++i) {
    double env;
    if (i < 3 * burst) {
      const double in = static_cast<double>(i % burst) / burst;
      env = 1.0 - 0.7 * in;
    } else {
      env = amp;
      amp *= tail;
    }
    const double v = bp.Band(noise.Next(), 1300.0, 0.7) * env * 1.6;
    Put(out, at + i, v * gain, centre);
  }
}

void HiHat(StereoBuffer& out, std::int64_t at, double gain, double decay, double pan, std::uint32_t seed) {
  const Pan p(pan);
  Noise noise(seed);
  Svf lp;
  const std::int64_t n = Frames(decay * 5.0);
  const double k = DecayFactor(decay);
  double amp = 1.0;
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = noise.Next();
    const double high = x - lp.Low(x, 5000.0, 1.2);
    Put(out, at + i, high * amp * gain, p);
    amp *= k;
  }
}

void Crash(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed) {
  Noise nl(seed), nr(seed + 77u);
  Svf fl, fr;
  const std::int64_t n = Frames(3.0);
  const double k = DecayFactor(0.75);
  double amp = 1.0;
  const Pan left(-1.0), right(1.0);
  for (std::int64_t i = 0; i < n; ++i) {
    const double xl = nl.Next(), xr = nr.Next();
    const double hl = xl - fl.Low(xl, 3000.0, 1.0), hr = xr - fr.Low(xr, 3000.0, 1.0);
    const double attack = i < 200 ? i / 200.0 : 1.0;
    Put(out, at + i, hl * amp * gain * attack, left);
    Put(out, at + i, hr * amp * gain * attack, right);
    amp *= k;
  }
}

void Riser(StereoBuffer& out, std::int64_t from, std::int64_t to, double gain, std::uint32_t seed) {
  Noise nl(seed), nr(seed + 5u);
  Svf fl, fr;
  const Pan left(-0.6), right(0.6);
  const std::int64_t n = to - from;
  for (std::int64_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double cutoff = 250.0 * Exp2(4.2 * t);
    const double amp = t * t * gain;
    Put(out, from + i, fl.Band(nl.Next(), cutoff, 0.35) * amp, left);
    Put(out, from + i, fr.Band(nr.Next(), cutoff * 1.1, 0.35) * amp, right);
  }
}

void Bass(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double brightness) {
  const Pan centre(0.0);
  const double f = NoteFrequency(note);
  Saw saw;
  Svf filter;
  double sub = 0.0, env = 1.0;
  const double k = DecayFactor(0.12);
  const std::int64_t hold = Frames(seconds), release = Frames(0.03), n = hold + release;
  for (std::int64_t i = 0; i < n; ++i) {
    const double cutoff = 110.0 + brightness * 1700.0 * env + 80.0;
    sub += 0.5 * f / kRate;
    const double x = 0.7 * saw.Next(f) + 0.6 * SineAt(sub);
    const double v = filter.Low(x, cutoff, 0.6) * Envelope(i, 40, hold, release);
    Put(out, at + i, v * gain, centre);
    env *= k;
  }
}

void Pad(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan) {
  const double f = NoteFrequency(note);
  Saw saws[3];
  saws[1].phase = 0.33;
  saws[2].phase = 0.67;
  const double detune[3] = {0.9962, 1.0, 1.0041};
  const Pan pans[3] = {Pan(pan - 0.45), Pan(pan), Pan(pan + 0.45)};
  Svf filters[3];
  const std::int64_t attack = Frames(seconds * 0.3 < 0.7 ? seconds * 0.3 : 0.7);
  const std::int64_t hold = Frames(seconds), release = Frames(0.7), n = hold + release;
  for (std::int64_t i = 0; i < n; ++i) {
    const double e = Envelope(i, attack, hold, release) * gain * 0.33;
    for (int v = 0; v < 3; ++v) {
      const double x = filters[v].Low(saws[v].Next(f * detune[v]), 1500.0, 0.9);
      Put(out, at + i, x * e, pans[v]);
    }
  }
}

void Pluck(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan,
           double brightness) {
  const Pan p(pan);
  const double f = NoteFrequency(note);
  Saw a, b;
  b.phase = 0.5;
  Svf filter;
  double env = 1.0, amp = 1.0;
  const double kf = DecayFactor(0.07), ka = DecayFactor(0.22);
  const std::int64_t hold = Frames(seconds), release = Frames(0.05), n = hold + release;
  for (std::int64_t i = 0; i < n; ++i) {
    const double square = 0.5 * (a.Next(f) - b.Next(f));
    const double cutoff = 250.0 + brightness * 3800.0 * env;
    const double v = filter.Low(square, cutoff, 0.45) * amp * Envelope(i, 20, hold, release);
    Put(out, at + i, v * gain, p);
    env *= kf;
    amp *= ka;
  }
}

void Lead(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan) {
  const Pan p(pan);
  const double f = NoteFrequency(note);
  Saw a, b;
  Svf filter;
  double lfo = 0.0;
  const std::int64_t hold = Frames(seconds), release = Frames(0.09), n = hold + release;
  const std::int64_t vibratoStart = Frames(0.18);
  for (std::int64_t i = 0; i < n; ++i) {
    lfo += 5.5 / kRate;
    const double depth = i > vibratoStart ? 0.005 : 0.0;
    const double fm = f * (1.0 + depth * SineAt(lfo));
    const double x = 0.5 * (a.Next(fm) + b.Next(fm * 1.003));
    const double v = filter.Low(x, 2600.0, 0.7) * Envelope(i, 150, hold, release);
    Put(out, at + i, v * gain, p);
  }
}

void Bell(StereoBuffer& out, std::int64_t at, double note, double gain, double pan) {
  const Pan p(pan);
  const double f = NoteFrequency(note);
  double carrier = 0.0, modulator = 0.0, index = 2.5, amp = 1.0;
  const double ki = DecayFactor(0.35), ka = DecayFactor(0.9);
  const std::int64_t n = Frames(3.0);
  for (std::int64_t i = 0; i < n; ++i) {
    modulator += 3.5 * f / kRate;
    carrier += f / kRate;
    const double v = SineAt(carrier + index * 0.16 * SineAt(modulator)) * amp;
    Put(out, at + i, v * gain * (i < 30 ? i / 30.0 : 1.0), p);
    index *= ki;
    amp *= ka;
  }
}

void Stab(StereoBuffer& out, std::int64_t at, double note, double gain, double pan) {
  const Pan p(pan);
  const double f = NoteFrequency(note);
  Saw a, b;
  Svf filter;
  double env = 1.0, amp = 1.0;
  const double kf = DecayFactor(0.06), ka = DecayFactor(0.1);
  const std::int64_t n = Frames(0.45);
  for (std::int64_t i = 0; i < n; ++i) {
    const double x = 0.5 * (a.Next(f * 0.997) + b.Next(f * 1.003));
    const double v = filter.Low(x, 300.0 + 3200.0 * env, 0.5) * amp;
    Put(out, at + i, v * gain * (i < 40 ? i / 40.0 : 1.0), p);
    env *= kf;
    amp *= ka;
  }
}

void SubDrone(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain) {
  const Pan centre(0.0);
  const double f = NoteFrequency(note);
  double phase = 0.0;
  const std::int64_t hold = Frames(seconds), attack = hold / 3, release = Frames(1.5), n = hold + release;
  for (std::int64_t i = 0; i < n; ++i) {
    phase += f / kRate;
    const double v = (SineAt(phase) + 0.2 * SineAt(phase * 2.0)) * Envelope(i, attack, hold, release);
    Put(out, at + i, v * gain, centre);
  }
}

void AddEcho(const StereoBuffer& in, StereoBuffer& out, std::int64_t delayFrames, double feedback, double mix) {
  // Ping-pong: each repeat crosses to the other side.
  std::vector<double> ringL(static_cast<std::size_t>(delayFrames), 0.0), ringR(ringL);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < in.Frames(); ++i) {
    const double dl = ringL[pos], dr = ringR[pos];
    out.left[i] += static_cast<float>(dl * mix);
    out.right[i] += static_cast<float>(dr * mix);
    ringL[pos] = in.right[i] + feedback * dr;
    ringR[pos] = in.left[i] + feedback * dl;
    if (++pos == ringL.size()) pos = 0;
  }
}

void AddReverb(const StereoBuffer& in, StereoBuffer& out, double mix) {
  // Four damped combs into two all-passes per side (a small room of plates).
  struct Comb {
    std::vector<double> line;
    std::size_t pos = 0;
    double store = 0.0;
    double Process(double x) {
      const double y = line[pos];
      store = y * 0.7 + store * 0.3;
      line[pos] = x + store * 0.8;
      if (++pos == line.size()) pos = 0;
      return y;
    }
  };
  struct AllPass {
    std::vector<double> line;
    std::size_t pos = 0;
    double Process(double x) {
      const double b = line[pos];
      line[pos] = x + b * 0.5;
      if (++pos == line.size()) pos = 0;
      return b - x;
    }
  };
  const int combLength[4] = {557, 594, 638, 677};
  const int passLength[2] = {278, 220};
  for (int side = 0; side < 2; ++side) {
    const int spread = side == 0 ? 0 : 12;
    Comb combs[4];
    AllPass passes[2];
    for (int k = 0; k < 4; ++k) combs[k].line.assign(static_cast<std::size_t>(combLength[k] + spread), 0.0);
    for (int k = 0; k < 2; ++k) passes[k].line.assign(static_cast<std::size_t>(passLength[k] + spread), 0.0);
    const std::vector<float>& src = side == 0 ? in.left : in.right;
    std::vector<float>& dst = side == 0 ? out.left : out.right;
    for (std::size_t i = 0; i < in.Frames(); ++i) {
      const double x = src[i] * 0.2;
      double y = 0.0;
      for (Comb& c : combs) y += c.Process(x);
      for (AllPass& a : passes) y = a.Process(y);
      dst[i] += static_cast<float>(y * mix);
    }
  }
}

}  // namespace vantrelle::datagen
