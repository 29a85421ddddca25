#include "runtime/os/AudioConverter.h"

#include <samplerate.h>

#include <algorithm>

namespace wdrt {

std::unique_ptr<AudioConverter> AudioConverter::Create(int inRate, int inChannels, AudioFormat out) {
  if (inRate <= 0 || inChannels <= 0 || out.rate <= 0 || out.channels <= 0) return nullptr;
  std::unique_ptr<AudioConverter> converter(new AudioConverter(inRate, inChannels, out));
  if (inRate != out.rate) {
    int error = 0;
    // The fastest of the band-limited converters: clean for speech and effects, and it keeps
    // well ahead of playback on a slow machine.
    converter->resampler_ = src_new(SRC_SINC_FASTEST, out.channels, &error);
    if (!converter->resampler_) return nullptr;
  }
  return converter;
}

AudioConverter::~AudioConverter() {
  if (resampler_) src_delete(resampler_);
}

bool AudioConverter::Convert(const float* in, std::size_t frames, bool last, std::vector<float>& out) {
  // Channels first: a mono sound is heard on every side; more channels than the output has are
  // mixed down by averaging when the output is mono, else the first ones are kept.
  const auto outChannels = static_cast<std::size_t>(out_.channels);
  const auto inChannels = static_cast<std::size_t>(inChannels_);
  mapped_.resize(frames * outChannels);
  for (std::size_t f = 0; f < frames; ++f) {
    const float* source = in + f * inChannels;
    float* target = mapped_.data() + f * outChannels;
    if (inChannels == outChannels) {
      std::copy_n(source, outChannels, target);
    } else if (inChannels == 1) {
      std::fill_n(target, outChannels, source[0]);
    } else if (outChannels == 1) {
      float sum = 0;
      for (std::size_t c = 0; c < inChannels; ++c) sum += source[c];
      target[0] = sum / static_cast<float>(inChannels);
    } else {
      for (std::size_t c = 0; c < outChannels; ++c) target[c] = c < inChannels ? source[c] : source[0];
    }
  }
  if (!resampler_) {
    out.insert(out.end(), mapped_.begin(), mapped_.end());
    return true;
  }
  const double ratio = static_cast<double>(out_.rate) / inRate_;
  std::size_t used = 0;
  for (;;) {
    const std::size_t room = static_cast<std::size_t>((frames - used) * ratio) + 256;
    const std::size_t at = out.size();
    out.resize(at + room * outChannels);
    SRC_DATA data{};
    data.data_in = mapped_.data() + used * outChannels;
    data.input_frames = static_cast<long>(frames - used);
    data.data_out = out.data() + at;
    data.output_frames = static_cast<long>(room);
    data.src_ratio = ratio;
    data.end_of_input = last ? 1 : 0;
    if (src_process(resampler_, &data) != 0) {
      out.resize(at);
      return false;
    }
    out.resize(at + static_cast<std::size_t>(data.output_frames_gen) * outChannels);
    used += static_cast<std::size_t>(data.input_frames_used);
    // Done when the input is taken and, at the end, nothing more comes out.
    if (used >= frames && (!last || data.output_frames_gen == 0)) return true;
    if (data.output_frames_gen == 0 && data.input_frames_used == 0) return true;
  }
}

}  // namespace wdrt
