#include "platform/headless/headless_sound_library.h"

#include <cstdio>

namespace vantrelle::platform {

namespace {
std::string Format(const char* pattern, long a, long b = 0, long c = 0) {
  char line[96];
  std::snprintf(line, sizeof(line), pattern, a, b, c);
  return line;
}
int streamToken;  // the one stream handle this library hands out points here
}  // namespace

FSOUND_STREAM* HeadlessSoundLibrary::Handle() { return reinterpret_cast<FSOUND_STREAM*>(&streamToken); }

bool HeadlessSoundLibrary::FSOUND_Init(int mixRate, int maxChannels, std::uint32_t flags) {
  calls.push_back(Format("FSOUND_Init(%ld,%ld,%ld)", mixRate, maxChannels, static_cast<long>(flags)));
  return true;
}

FSOUND_STREAM* HeadlessSoundLibrary::FSOUND_Stream_Open(const void* data, std::uint32_t mode, int offset, int length) {
  calls.push_back(Format("FSOUND_Stream_Open(0x%lx,%ld,%ld)", static_cast<long>(mode), offset, length));
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  openedBytes.assign(bytes + offset, bytes + offset + length);
  return openFails ? nullptr : Handle();
}

bool HeadlessSoundLibrary::FSOUND_Stream_SetMode(FSOUND_STREAM* stream, std::uint32_t mode) {
  calls.push_back(
      Format(stream == nullptr ? "FSOUND_Stream_SetMode(null,0x%lx)" : "FSOUND_Stream_SetMode(stream,0x%lx)",
             static_cast<long>(mode)));
  return true;
}

bool HeadlessSoundLibrary::FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) {
  calls.push_back(
      Format(stream == nullptr ? "FSOUND_Stream_SetTime(null,%ld)" : "FSOUND_Stream_SetTime(stream,%ld)", ms));
  return stream != nullptr;
}

int HeadlessSoundLibrary::FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
  calls.push_back(
      Format(stream == nullptr ? "FSOUND_Stream_Play(%ld,null)" : "FSOUND_Stream_Play(%ld,stream)", channel));
  if (onPlay) {
    onPlay();
  }
  return stream == nullptr || playFails ? -1 : channel;
}

bool HeadlessSoundLibrary::FSOUND_SetPaused(int channel, bool paused) {
  calls.push_back(Format("FSOUND_SetPaused(%ld,%ld)", channel, paused ? 1 : 0));
  return true;
}

bool HeadlessSoundLibrary::FSOUND_SetMute(int channel, bool mute) {
  calls.push_back(Format("FSOUND_SetMute(%ld,%ld)", channel, mute ? 1 : 0));
  return true;
}

bool HeadlessSoundLibrary::FSOUND_Stream_Close(FSOUND_STREAM* stream) {
  calls.push_back(stream == nullptr ? "FSOUND_Stream_Close(null)" : "FSOUND_Stream_Close(stream)");
  return stream != nullptr;
}

void HeadlessSoundLibrary::FSOUND_Close() { calls.push_back("FSOUND_Close()"); }

}  // namespace vantrelle::platform
