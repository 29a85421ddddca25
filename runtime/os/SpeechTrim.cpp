#include "runtime/os/SpeechTrim.h"

#include <algorithm>
#include <cmath>

namespace wdrt {
namespace {

constexpr int kFrameMs = 10;
constexpr int kBridgedGapFrames = 8;      // the stops inside a word are bridged
constexpr int kShortestSpeechFrames = 6;   // a click lasts under 40 ms; the shortest word 60 ms or more
constexpr double kQuietestSpeechDb = -50.0;
constexpr double kAboveNoiseDb = 12.0;
constexpr int kLeadMs = 80, kTailMs = 150, kFadeMs = 8;

double FrameDb(const std::vector<float>& samples, std::size_t first, std::size_t count) {
  double sum = 0;
  for (std::size_t i = first; i < first + count; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return 10.0 * std::log10(sum / static_cast<double>(count) + 1e-12);
}

struct Run {
  std::size_t first = 0, end = 0;  // frames
};

}  // namespace

std::optional<SpeechSpan> FindSpeech(const std::vector<float>& samples, int rate) {
  const std::size_t frame = static_cast<std::size_t>(rate) * kFrameMs / 1000;
  if (frame == 0 || samples.size() < frame) return std::nullopt;
  const std::size_t frames = samples.size() / frame;
  std::vector<double> db(frames);
  for (std::size_t f = 0; f < frames; ++f) db[f] = FrameDb(samples, f * frame, frame);

  // The room's own level: the quieter tenth of the take.
  std::vector<double> sorted = db;
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(frames / 10), sorted.end());
  const double threshold = std::max(kQuietestSpeechDb, sorted[frames / 10] + kAboveNoiseDb);

  // Runs of loud frames, short gaps bridged; only runs that last like speech count.
  std::vector<Run> runs;
  for (std::size_t f = 0; f < frames; ++f) {
    if (db[f] < threshold) continue;
    if (!runs.empty() && f - runs.back().end <= kBridgedGapFrames)
      runs.back().end = f + 1;
    else
      runs.push_back({f, f + 1});
  }
  std::vector<Run> speech;
  for (const Run& run : runs) {
    std::size_t loud = 0;
    for (std::size_t f = run.first; f < run.end; ++f) loud += db[f] >= threshold;
    if (loud >= kShortestSpeechFrames) speech.push_back(run);
  }
  if (speech.empty()) return std::nullopt;

  // The margins stop short of any click just outside the speech.
  std::size_t firstFrame = speech.front().first, endFrame = speech.back().end;
  const std::size_t lead = kLeadMs / kFrameMs, tail = kTailMs / kFrameMs;
  std::size_t from = firstFrame > lead ? firstFrame - lead : 0;
  std::size_t to = std::min(frames, endFrame + tail);
  for (const Run& run : runs) {
    if (run.end <= firstFrame && run.end > from) from = run.end;
    if (run.first >= endFrame && run.first < to) to = run.first;
  }
  SpeechSpan span{from * frame, to == frames ? samples.size() : to * frame};
  return span;
}

std::vector<float> TrimmedToSpeech(const std::vector<float>& samples, int rate, SpeechSpan span) {
  span.end = std::min(span.end, samples.size());
  span.first = std::min(span.first, span.end);
  std::vector<float> kept(samples.begin() + static_cast<std::ptrdiff_t>(span.first),
                          samples.begin() + static_cast<std::ptrdiff_t>(span.end));
  const std::size_t fade = std::min(kept.size() / 2, static_cast<std::size_t>(rate) * kFadeMs / 1000);
  for (std::size_t i = 0; i < fade; ++i) {
    const float gain = static_cast<float>(i) / static_cast<float>(fade);
    kept[i] *= gain;
    kept[kept.size() - 1 - i] *= gain;
  }
  return kept;
}

}  // namespace wdrt
