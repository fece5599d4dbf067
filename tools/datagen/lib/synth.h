#pragma once
// The soundtrack's instruments: each call renders one note or hit, adding it
// into a stereo buffer pair at a sample position. Sample rate kSampleRate.
#include <cstdint>
#include <vector>

namespace vantrelle::datagen {

inline constexpr int kSampleRate = 22050;

struct StereoBuffer {
  std::vector<float> left, right;
  explicit StereoBuffer(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
  std::size_t Frames() const { return left.size(); }
};

double NoteFrequency(double midiNote);

// pan -1 (left) .. 1 (right); gain is linear; durations in seconds.
void Kick(StereoBuffer& out, std::int64_t at, double gain);
void Snare(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed);
void Clap(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed);
void HiHat(StereoBuffer& out, std::int64_t at, double gain, double decay, double pan, std::uint32_t seed);
void Crash(StereoBuffer& out, std::int64_t at, double gain, std::uint32_t seed);
void Riser(StereoBuffer& out, std::int64_t from, std::int64_t to, double gain, std::uint32_t seed);
void Bass(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double brightness);
void Pad(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan);
void Pluck(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan, double brightness);
void Lead(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain, double pan);
void Bell(StereoBuffer& out, std::int64_t at, double note, double gain, double pan);
void Stab(StereoBuffer& out, std::int64_t at, double note, double gain, double pan);
void SubDrone(StereoBuffer& out, std::int64_t at, double seconds, double note, double gain);

// Effects over a whole buffer.
void AddEcho(const StereoBuffer& in, StereoBuffer& out, std::int64_t delayFrames, double feedback, double mix);
void AddReverb(const StereoBuffer& in, StereoBuffer& out, double mix);

}  // namespace vantrelle::datagen
