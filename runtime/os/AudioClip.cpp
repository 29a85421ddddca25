#include "runtime/os/AudioClip.h"

#include "runtime/os/AudioConverter.h"
#include "runtime/os/AudioFileCheck.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

namespace wdrt {
namespace {

// Reads every frame; returns false when the file ends early or the decoder reports an error.
bool DecodeAll(SNDFILE* file, const SF_INFO& info, std::vector<float>& samples) {
  constexpr sf_count_t kChunkFrames = 4096;
  std::vector<float> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
  const bool lengthKnown = info.frames > 0 && info.frames != SF_COUNT_MAX;
  if (lengthKnown) samples.reserve(static_cast<std::size_t>(info.frames * info.channels));
  sf_count_t total = 0;
  for (;;) {
    const sf_count_t got = sf_readf_float(file, chunk.data(), kChunkFrames);
    if (got <= 0) break;
    samples.insert(samples.end(), chunk.begin(), chunk.begin() + got * info.channels);
    total += got;
    if (total > kMaxSoundSeconds * info.samplerate) return false;
  }
  if (sf_error(file) != SF_ERR_NO_ERROR) return false;
  if (total == 0) return false;
  // The header promised more than the file holds: it was cut short.
  if (lengthKnown && total < info.frames) return false;
  return true;
}

bool Convert(const std::vector<float>& in, const SF_INFO& info, AudioFormat format, std::vector<float>& out) {
  const std::unique_ptr<AudioConverter> converter = AudioConverter::Create(info.samplerate, info.channels, format);
  if (!converter) return false;
  const std::size_t inFrames = in.size() / static_cast<std::size_t>(info.channels);
  if (!converter->Convert(in.data(), inFrames, true, out)) return false;
  // The resampler may give a few frames more or less; keep the length the file states.
  const std::size_t outFrames = static_cast<std::size_t>(
      static_cast<unsigned long long>(inFrames) * static_cast<unsigned>(format.rate) / static_cast<unsigned>(info.samplerate));
  out.resize(outFrames * static_cast<std::size_t>(format.channels), 0.0f);
  return !out.empty();
}

}  // namespace

unsigned long AudioClip::MillisecondsOf(std::size_t frames) const {
  return static_cast<unsigned long>(frames * 1000ull / static_cast<unsigned long long>(format_.rate));
}

std::size_t AudioClip::FramesOf(unsigned long milliseconds) const {
  return static_cast<std::size_t>(milliseconds * static_cast<unsigned long long>(format_.rate) / 1000ull);
}

AudioLoadResult LoadAudioClip(const std::string& path, AudioFormat format) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {AudioLoadError::NotFound, nullptr};
  if (!S_ISREG(status.st_mode)) return {AudioLoadError::Invalid, nullptr};
  try {
    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) return {AudioLoadError::Invalid, nullptr};
    if (!HeaderUsable(info)) return {AudioLoadError::Invalid, nullptr};
    if (WaveDataCutShort(file.get(), info)) return {AudioLoadError::Invalid, nullptr};
    std::vector<float> decoded;
    if (!DecodeAll(file.get(), info, decoded)) return {AudioLoadError::Invalid, nullptr};
    std::vector<float> converted;
    if (!Convert(decoded, info, format, converted)) return {AudioLoadError::Invalid, nullptr};
    return {AudioLoadError::None, std::make_shared<const AudioClip>(format, std::move(converted))};
  } catch (const std::bad_alloc&) {
    return {AudioLoadError::OutOfMemory, nullptr};
  } catch (const std::length_error&) {
    return {AudioLoadError::OutOfMemory, nullptr};
  }
}

}  // namespace wdrt
