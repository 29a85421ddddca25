#include "runtime/os/Beep.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/os/AudioOutput.h"

namespace wdrt {
namespace {

constexpr double kFrequency = 880.0;
constexpr double kSeconds = 0.15;

// The tone, made once for the output's format: a sine with soft edges, so that it does not click.
std::shared_ptr<const AudioClip> Tone(AudioFormat format) {
  const auto frames = static_cast<std::size_t>(format.rate * kSeconds);
  const auto channels = static_cast<std::size_t>(format.channels);
  const std::size_t edge = static_cast<std::size_t>(format.rate / 100);
  std::vector<float> samples(frames * channels);
  for (std::size_t f = 0; f < frames; ++f) {
    const double fade = std::min({1.0, static_cast<double>(f) / edge, static_cast<double>(frames - f) / edge});
    const auto value = static_cast<float>(0.3 * fade * std::sin(2 * M_PI * kFrequency * f / format.rate));
    for (std::size_t c = 0; c < channels; ++c) samples[f * channels + c] = value;
  }
  return std::make_shared<const AudioClip>(format, std::move(samples));
}

}  // namespace

bool Beep() {
  JournalLine("beep");
  const std::optional<AudioFormat> format = OpenAudioOutput();
  if (!format) return false;
  static std::mutex mutex;
  static std::shared_ptr<const AudioClip> tone;
  // The voice must live while it sounds; a new beep replaces (and so ends) the one before.
  static std::unique_ptr<AudioVoice>* voice = new std::unique_ptr<AudioVoice>;  // outlives main()
  std::lock_guard lock(mutex);
  if (!tone) tone = Tone(*format);
  *voice = std::make_unique<AudioVoice>(tone);
  (*voice)->Play(0, tone->Frames());
  return true;
}

}  // namespace wdrt
