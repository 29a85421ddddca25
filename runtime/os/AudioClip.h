// A sound file decoded completely (libsndfile: WAV, MP3 and the other formats it knows) and
// converted to the sample format of the audio output. Loading is pure work on the caller's
// thread; a loaded clip is immutable and may be read from any thread.
#pragma once

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
  AudioClip(AudioFormat format, std::vector<float> samples)
      : format_(format), samples_(std::move(samples)) {}

  const AudioFormat& Format() const { return format_; }
  std::size_t Frames() const { return samples_.size() / static_cast<std::size_t>(format_.channels); }
  const float* Frame(std::size_t index) const { return samples_.data() + index * format_.channels; }
  unsigned long MillisecondsOf(std::size_t frames) const;
  std::size_t FramesOf(unsigned long milliseconds) const;

 private:
  AudioFormat format_;
  std::vector<float> samples_;
};

struct AudioLoadResult {
  AudioLoadError error = AudioLoadError::None;
  std::shared_ptr<const AudioClip> clip;
};

// Decodes `path` and converts it to `format`. An empty, truncated or undecodable file is
// Invalid: a sound that cannot be played whole is not played at all.
AudioLoadResult LoadAudioClip(const std::string& path, AudioFormat format);

}  // namespace wdrt
