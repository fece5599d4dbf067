#include "platform/decode_mp3.h"

#include <mpg123.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vantrelle::platform {

namespace {

struct MemorySource {
  const std::uint8_t* data;
  std::size_t length;
  std::size_t position;
};

mpg123_ssize_t ReadMemory(void* handle, void* buffer, std::size_t count) {
  auto* source = static_cast<MemorySource*>(handle);
  const std::size_t n = std::min(count, source->length - source->position);
  std::memcpy(buffer, source->data + source->position, n);
  source->position += n;
  return static_cast<mpg123_ssize_t>(n);
}

off_t SeekMemory(void* handle, off_t offset, int whence) {
  auto* source = static_cast<MemorySource*>(handle);
  off_t base = 0;
  if (whence == SEEK_CUR) {
    base = static_cast<off_t>(source->position);
  } else if (whence == SEEK_END) {
    base = static_cast<off_t>(source->length);
  }
  const off_t target = base + offset;
  if (target < 0 || target > static_cast<off_t>(source->length)) {
    return -1;
  }
  source->position = static_cast<std::size_t>(target);
  return target;
}

// Owns the decoder handle for the length of one decode.
struct Decoder {
  mpg123_handle* handle = nullptr;
  ~Decoder() {
    if (handle != nullptr) {
      mpg123_close(handle);
      mpg123_delete(handle);
    }
  }
};

}  // namespace

bool DecodeMp3(const std::uint8_t* data, std::size_t length, DecodedSound& sound) {
  sound = DecodedSound{};
  if (data == nullptr || length == 0) {
    return false;
  }
  mpg123_init();  // a no-op since 1.27, needed before
  Decoder decoder;
  int error = MPG123_OK;
  decoder.handle = mpg123_new(nullptr, &error);
  if (decoder.handle == nullptr) {
    return false;
  }
  mpg123_handle* mh = decoder.handle;
  // Gapless on purpose: sample 0 of the output is the music's first sample,
  // which is where the show's clock starts.
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
  MemorySource source{data, length, 0};
  if (mpg123_replace_reader_handle(mh, ReadMemory, SeekMemory, nullptr) != MPG123_OK ||
      mpg123_open_handle(mh, &source) != MPG123_OK) {
    return false;
  }
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK) {
    return false;
  }
  mpg123_format_none(mh);
  mpg123_format(mh, rate, channels, MPG123_ENC_SIGNED_16);

  // The exact length (after the gapless trim) decides the one allocation.
  mpg123_scan(mh);
  const off_t frames = mpg123_length(mh);
  if (frames <= 0) {
    return false;
  }
  sound.samples.resize(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
  std::size_t filled = 0;
  const std::size_t capacityBytes = sound.samples.size() * sizeof(std::int16_t);
  while (filled < capacityBytes) {
    std::size_t done = 0;
    const int result =
        mpg123_read(mh, reinterpret_cast<unsigned char*>(sound.samples.data()) + filled, capacityBytes - filled, &done);
    filled += done;
    if (result == MPG123_NEW_FORMAT) {
      continue;
    }
    if (result != MPG123_OK) {
      break;  // the end of the music, or junk after it
    }
  }
  sound.samples.resize(filled / (sizeof(std::int16_t) * static_cast<std::size_t>(channels)) *
                       static_cast<std::size_t>(channels));
  if (sound.samples.empty()) {
    sound = DecodedSound{};
    return false;
  }
  sound.rate = rate;
  sound.channels = channels;
  return true;
}

}  // namespace vantrelle::platform
