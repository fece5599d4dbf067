#include "platform/sdl/sdl_sound_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vantrelle::platform {

namespace {
constexpr Uint16 kCallbackFrames = 1024;  // about 23 ms at 44.1 kHz: short enough to keep in step
}

SdlSoundLibrary::~SdlSoundLibrary() {
  CloseDevice();
  if (started_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

FSOUND_STREAM* SdlSoundLibrary::Handle() { return reinterpret_cast<FSOUND_STREAM*>(this); }

bool SdlSoundLibrary::FSOUND_Init(int /*mixRate*/, int /*maxChannels*/, std::uint32_t /*flags*/) {
  // The stream plays at its own rate; SDL converts if the device wants another.
  if (!started_) {
    started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!started_) {
      std::fprintf(stderr, "vantrelle: no sound (%s); the show runs silent\n", SDL_GetError());
    }
  }
  return started_;
}

FSOUND_STREAM* SdlSoundLibrary::FSOUND_Stream_Open(const void* data, std::uint32_t mode, int offset, int length) {
  if (!started_ || open_ || data == nullptr || (mode & FSOUND_LOADMEMORY) == 0 || offset < 0 || length <= 0) {
    return nullptr;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(data) + offset;
  if (!DecodeMp3(bytes, static_cast<std::size_t>(length), sound_)) {
    return nullptr;
  }
  position_ = 0;
  open_ = true;
  return Handle();
}

bool SdlSoundLibrary::FSOUND_Stream_SetMode(FSOUND_STREAM* stream, std::uint32_t /*mode*/) {
  // Streams are always decoded at full quality; the mode is accepted and changes nothing.
  return stream == nullptr || stream == Handle();
}

bool SdlSoundLibrary::FSOUND_Stream_SetTime(FSOUND_STREAM* stream, int ms) {
  if (stream != Handle() || !open_ || ms < 0) {
    return false;
  }
  const std::size_t frames = sound_.samples.size() / static_cast<std::size_t>(sound_.channels);
  const std::size_t target = static_cast<std::size_t>(static_cast<long long>(ms) * sound_.rate / 1000);
  if (device_ != 0) {
    SDL_LockAudioDevice(device_);
  }
  position_ = std::min(target, frames);
  if (device_ != 0) {
    SDL_UnlockAudioDevice(device_);
  }
  return true;
}

int SdlSoundLibrary::FSOUND_Stream_Play(int channel, FSOUND_STREAM* stream) {
  if (stream != Handle() || !open_) {
    return -1;
  }
  if (device_ == 0) {
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(sound_.rate);
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(sound_.channels);
    want.samples = kCallbackFrames;
    want.callback = Mix;
    want.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
      std::fprintf(stderr, "vantrelle: no sound (%s); the show runs silent\n", SDL_GetError());
      return -1;
    }
  }
  SDL_PauseAudioDevice(device_, 0);
  channel_ = channel == FSOUND_FREE ? 0 : channel;
  return channel_;
}

bool SdlSoundLibrary::FSOUND_SetPaused(int channel, bool paused) {
  if (!open_ || channel != channel_) {
    return false;
  }
  paused_ = paused;
  return true;
}

bool SdlSoundLibrary::FSOUND_SetMute(int channel, bool mute) {
  if (!open_ || channel != channel_) {
    return false;
  }
  muted_ = mute;
  return true;
}

void SdlSoundLibrary::Mix(void* self, Uint8* output, int bytes) {
  auto& library = *static_cast<SdlSoundLibrary*>(self);
  const auto channels = static_cast<std::size_t>(library.sound_.channels);
  const std::size_t frameBytes = channels * sizeof(std::int16_t);
  const std::size_t wanted = static_cast<std::size_t>(bytes) / frameBytes;
  const std::size_t frames = library.sound_.samples.size() / channels;
  const std::size_t from = library.position_.load();
  if (library.paused_) {
    std::memset(output, 0, static_cast<std::size_t>(bytes));
    return;
  }
  const std::size_t count = from < frames ? std::min(wanted, frames - from) : 0;
  if (library.muted_) {
    std::memset(output, 0, count * frameBytes);
  } else {
    std::memcpy(output, library.sound_.samples.data() + from * channels, count * frameBytes);
  }
  std::memset(output + count * frameBytes, 0, static_cast<std::size_t>(bytes) - count * frameBytes);
  library.position_ = from + count;
}

void SdlSoundLibrary::CloseDevice() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
}

bool SdlSoundLibrary::FSOUND_Stream_Close(FSOUND_STREAM* stream) {
  if (stream != Handle() || !open_) {
    return false;
  }
  CloseDevice();
  sound_ = DecodedSound{};
  open_ = false;
  paused_ = false;
  muted_ = false;
  channel_ = -1;
  return true;
}

void SdlSoundLibrary::FSOUND_Close() {
  CloseDevice();
  if (started_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    started_ = false;
  }
}

}  // namespace vantrelle::platform
