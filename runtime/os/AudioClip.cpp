#include "runtime/os/AudioClip.h"

#include "runtime/os/AudioFileCheck.h"

#include <SDL.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

namespace wdrt {
namespace {

struct StreamFreer {
  void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

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
  std::unique_ptr<SDL_AudioStream, StreamFreer> stream(
      SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(info.channels), info.samplerate, AUDIO_F32SYS,
                         static_cast<Uint8>(format.channels), format.rate));
  if (!stream) return false;
  if (SDL_AudioStreamPut(stream.get(), in.data(), static_cast<int>(in.size() * sizeof(float))) != 0) return false;
  // The resampler keeps the last few hundred input frames back even when flushed; a fifth of a
  // second of silence pushes the whole sound through, and the silence is cut off below.
  const std::vector<float> silence(static_cast<std::size_t>(info.samplerate / 5 * info.channels), 0.0f);
  if (SDL_AudioStreamPut(stream.get(), silence.data(), static_cast<int>(silence.size() * sizeof(float))) != 0)
    return false;
  if (SDL_AudioStreamFlush(stream.get()) != 0) return false;
  const int available = SDL_AudioStreamAvailable(stream.get());
  out.resize(static_cast<std::size_t>(available) / sizeof(float));
  const int got = SDL_AudioStreamGet(stream.get(), out.data(), available);
  if (got < 0) return false;
  // The resampler may give a few frames more or less; keep the length the file states.
  const std::size_t inFrames = in.size() / static_cast<std::size_t>(info.channels);
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
