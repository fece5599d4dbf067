#pragma once
// The sound library over SDL audio: the stream is decoded whole when it is
// opened (before the show starts), then the audio callback only copies
// samples. With no audio device the stream does not play and the show runs
// silent.
#include <SDL.h>

#include <atomic>
#include <cstddef>

#include "platform/decode_mp3.h"
#include "platform/sound_library.h"

namespace vantrelle::platform {

class SdlSoundLibrary : public SoundLibrary {
 public:
  SdlSoundLibrary() = default;
  ~SdlSoundLibrary() override;
  SdlSoundLibrary(const SdlSoundLibrary&) = delete;
  SdlSoundLibrary& operator=(const SdlSoundLibrary&) = delete;

  bool FSOUND_Init(int mixRate, int maxChannels, std::uint32_t flags) override;
  FSOUND_STREAM* FSOUND_Stream_Open(const void* data, std::uint32_t mode, int offset, int length) override;
  bool FSOUND_Stream_SetMode(FSOUND_STREAM* stream, std::uint32_t mode) override;
  bool FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) override;
  int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) override;
  bool FSOUND_SetPaused(int channel, bool paused) override;
  bool FSOUND_SetMute(int channel, bool mute) override;
  bool FSOUND_Stream_Close(FSOUND_STREAM* stream) override;
  void FSOUND_Close() override;

 private:
  static void Mix(void* self, Uint8* output, int bytes);
  FSOUND_STREAM* Handle();
  void CloseDevice();

  bool started_ = false;
  bool open_ = false;
  DecodedSound sound_;
  std::atomic<std::size_t> position_{0};  // next frame to play
  std::atomic<bool> paused_{false};       // silence, the position held
  std::atomic<bool> muted_{false};        // silence, the position moving on
  int channel_ = -1;                      // the channel the stream plays on
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace vantrelle::platform
