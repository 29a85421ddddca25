// A sound converted to the sample format of the audio output (libsndfile: WAV, MP3 and the
// other formats it knows). A clip is either decoded completely on the caller's thread, or
// filled while it plays by the program's decoder thread (AudioStream.h): its length is fixed
// from the start and its frames become readable, from any thread, up to FramesReady().
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace wdrt {

// Interleaved 32-bit float samples at this rate and channel count.
struct AudioFormat {
  int rate = 48000;
  int channels = 2;
};

enum class AudioLoadError { None, NotFound, Invalid, OutOfMemory };

class AudioClip {
 public:
  // A complete clip.
  AudioClip(AudioFormat format, std::vector<float> samples)
      : format_(format), samples_(std::move(samples)), ready_(Frames()) {}
  // A clip of `frames` silent frames that a decoder fills in order (Write, then Publish).
  AudioClip(AudioFormat format, std::size_t frames)
      : format_(format), samples_(frames * static_cast<std::size_t>(format.channels), 0.0f), ready_(0) {}

  const AudioFormat& Format() const { return format_; }
  std::size_t Frames() const { return samples_.size() / static_cast<std::size_t>(format_.channels); }
  // Frames [0, FramesReady()) hold their sound; the others may still be written.
  std::size_t FramesReady() const { return ready_.load(std::memory_order_acquire); }
  const float* Frame(std::size_t index) const { return samples_.data() + index * format_.channels; }
  unsigned long MillisecondsOf(std::size_t frames) const;
  std::size_t FramesOf(unsigned long milliseconds) const;

  // Decoder side, one writer only: frames at FramesReady() and later.
  float* WritableFrame(std::size_t index) { return samples_.data() + index * format_.channels; }
  void Publish(std::size_t framesReady) { ready_.store(std::min(framesReady, Frames()), std::memory_order_release); }

 private:
  AudioFormat format_;
  std::vector<float> samples_;
  std::atomic<std::size_t> ready_;
};

struct AudioLoadResult {
  AudioLoadError error = AudioLoadError::None;
  std::shared_ptr<const AudioClip> clip;
};

// Decodes `path` and converts it to `format`. An empty, truncated or undecodable file is
// Invalid: a sound that cannot be played whole is not played at all.
AudioLoadResult LoadAudioClip(const std::string& path, AudioFormat format);

}  // namespace wdrt
