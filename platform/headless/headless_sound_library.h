#pragma once
// A sound library with no speaker, for tests: it records each call with its
// arguments and can be told that opening or playing fails.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sound_library.h"

namespace vantrelle::platform {

class HeadlessSoundLibrary : public SoundLibrary {
 public:
  bool FSOUND_Init(int mixRate, int maxChannels, std::uint32_t flags) override;
  FSOUND_STREAM* FSOUND_Stream_Open(const void* data, std::uint32_t mode, int offset, int length) override;
  bool FSOUND_Stream_SetMode(FSOUND_STREAM* stream, std::uint32_t mode) override;
  bool FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) override;
  int FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) override;
  bool FSOUND_SetPaused(int channel, bool paused) override;
  bool FSOUND_SetMute(int channel, bool mute) override;
  bool FSOUND_Stream_Close(FSOUND_STREAM* stream) override;
  void FSOUND_Close() override;

  std::vector<std::string> calls;         // "FSOUND_Init(22050,2,0)" and so on, in order
  std::vector<std::uint8_t> openedBytes;  // copy of the bytes handed to the last open
  bool openFails = false;
  bool playFails = false;
  std::function<void()> onPlay;  // runs inside the play call, before it returns

 private:
  static FSOUND_STREAM* Handle();
};

}  // namespace vantrelle::platform
