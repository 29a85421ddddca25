// Turns decoded sound (any rate, any channel count) into the output's format, chunk by chunk,
// with the same result as converting it whole: the resampler (libsamplerate) carries its state
// from one chunk to the next, so there is no click where chunks meet. One converter per sound,
// used by one thread at a time.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "runtime/os/AudioClip.h"

typedef struct SRC_STATE_tag SRC_STATE;

namespace wdrt {

class AudioConverter {
 public:
  // Null when the converter cannot be made.
  static std::unique_ptr<AudioConverter> Create(int inRate, int inChannels, AudioFormat out);
  ~AudioConverter();
  AudioConverter(const AudioConverter&) = delete;
  AudioConverter& operator=(const AudioConverter&) = delete;

  // Converts `frames` interleaved input frames and appends the result to `out`; with `last`,
  // also what the resampler still holds. Returns false when the resampler fails.
  bool Convert(const float* in, std::size_t frames, bool last, std::vector<float>& out);

 private:
  AudioConverter(int inRate, int inChannels, AudioFormat out) : inRate_(inRate), inChannels_(inChannels), out_(out) {}
  int inRate_;
  int inChannels_;
  AudioFormat out_;
  SRC_STATE* resampler_ = nullptr;  // null when the rates are equal
  std::vector<float> mapped_;       // input frames in the output's channel layout
};

}  // namespace wdrt
