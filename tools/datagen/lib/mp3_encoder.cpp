#include "tools/datagen/lib/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>

namespace vantrelle::datagen {
namespace {

Status EncoderFailure(const char* message) { return Status::Failure(ErrorKind::kUnwritable, message); }

}  // namespace

Result<std::vector<std::uint8_t>> EncodeMp3(const std::vector<std::int16_t>& interleaved, int sampleRate, int kbps) {
  lame_global_flags* lame = lame_init();
  if (lame == nullptr) return EncoderFailure("cannot start the MP3 encoder");
  lame_set_in_samplerate(lame, sampleRate);
  lame_set_out_samplerate(lame, sampleRate);
  lame_set_num_channels(lame, 2);
  lame_set_mode(lame, JOINT_STEREO);
  lame_set_brate(lame, kbps);
  lame_set_VBR(lame, vbr_off);
  lame_set_quality(lame, 7);  // fast; the bit rate sets the quality that matters here
  lame_set_bWriteVbrTag(lame, 1);
  if (lame_init_params(lame) < 0) {
    lame_close(lame);
    return EncoderFailure("the MP3 encoder refused its settings");
  }
  std::vector<std::uint8_t> out;
  constexpr int kChunkFrames = 8192;
  std::vector<unsigned char> buffer(static_cast<std::size_t>(kChunkFrames * 5 / 4 + 7200));
  const std::size_t frames = interleaved.size() / 2;
  for (std::size_t at = 0; at < frames; at += kChunkFrames) {
    const int n = static_cast<int>(std::min<std::size_t>(kChunkFrames, frames - at));
    // LAME takes a non-const pointer but does not write through it.
    auto* pcm = const_cast<short*>(reinterpret_cast<const short*>(interleaved.data() + 2 * at));
    const int written = lame_encode_buffer_interleaved(lame, pcm, n, buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) {
      lame_close(lame);
      return EncoderFailure("MP3 encoding failed");
    }
    out.insert(out.end(), buffer.begin(), buffer.begin() + written);
  }
  const int tail = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
  if (tail > 0) out.insert(out.end(), buffer.begin(), buffer.begin() + tail);
  // The first frame was reserved for the info tag; fill it in now that the
  // length is known.
  std::vector<unsigned char> tag(4096);
  const std::size_t tagBytes = lame_get_lametag_frame(lame, tag.data(), tag.size());
  if (tagBytes > 0 && tagBytes <= out.size()) std::copy(tag.begin(), tag.begin() + tagBytes, out.begin());
  lame_close(lame);
  return out;
}

}  // namespace vantrelle::datagen
