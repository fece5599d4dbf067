#pragma once
// Stands in for the handheld's sound library: a software mixer that plays one
// MPEG stream from memory. Names, modes and return conventions are its own.
#include <cstdint>

namespace vantrelle::platform {

struct FSOUND_STREAM;  // an open stream; opaque to the caller

inline constexpr std::uint32_t FSOUND_LOADMEMORY = 0x8000;  // the name argument is the data itself
inline constexpr std::uint32_t FSOUND_MPEGACCURATE = 0x20000;
inline constexpr std::uint32_t FSOUND_MPEG_LOWQUALITY = 0x200000;  // faster, coarser MPEG decoding
inline constexpr int FSOUND_FREE = -1;                             // any free channel

class SoundLibrary {
 public:
  virtual ~SoundLibrary() = default;
  // Starts the mixer at mixRate Hz with maxChannels software channels; false on failure.
  virtual bool FSOUND_Init(int mixRate, int maxChannels, std::uint32_t flags) = 0;
  // Opens a stream; with FSOUND_LOADMEMORY `data` is the bytes and `length` their count. Null on failure.
  virtual FSOUND_STREAM* FSOUND_Stream_Open(const void* data, std::uint32_t mode, int offset, int length) = 0;
  // Changes a stream's mode (a null stream sets the default for streams); false on failure.
  virtual bool FSOUND_Stream_SetMode(FSOUND_STREAM* stream, std::uint32_t mode) = 0;
  // Moves a stream's play position to `ms` milliseconds from its start; false on failure.
  virtual bool FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) = 0;
  // Starts playing the stream; returns the channel used, -1 on failure.
  virtual int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) = 0;
  // Holds (true) or resumes (false) the sound on a channel; what is held is not played meanwhile.
  virtual bool FSOUND_SetPaused(int channel, bool paused) = 0;
  // Silences (true) or restores (false) a channel, which keeps playing meanwhile.
  virtual bool FSOUND_SetMute(int channel, bool mute) = 0;
  // Stops and closes a stream (null is ignored); false on failure.
  virtual bool FSOUND_Stream_Close(FSOUND_STREAM* stream) = 0;
  // Shuts the mixer down.
  virtual void FSOUND_Close() = 0;
};

}  // namespace vantrelle::platform
