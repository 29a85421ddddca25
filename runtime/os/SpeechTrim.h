// The speech of a recorded take: where it begins and ends, so that the silence before and
// after it and the click of the key that started or stopped the recording are cut off. Pure
// functions; any thread.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace wdrt {

struct SpeechSpan {
  std::size_t first = 0;  // first sample kept
  std::size_t end = 0;    // one past the last sample kept
};

// The span to keep of `samples` (mono, -1 … 1, at `rate`): from a little before the first
// sound that lasts like speech to a little after the last one. A short loud burst (a key's
// click) is not speech and is cut off with the silence. nullopt when nothing in the take lasts
// like speech: it is all silence, noise at one level, or clicks.
std::optional<SpeechSpan> FindSpeech(const std::vector<float>& samples, int rate);

// The kept span of `samples`, faded in and out over a few milliseconds so that the cut makes
// no click of its own.
std::vector<float> TrimmedToSpeech(const std::vector<float>& samples, int rate, SpeechSpan span);

}  // namespace wdrt
