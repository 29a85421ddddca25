#include "family/TakeAligner.h"

#include <cctype>
#include <chrono>
#include <filesystem>

#include "family/ReadAlongTable.h"
#include "family/Recordings.h"
#include "runtime/core/Journal.h"
#include "runtime/os/AudioClip.h"
#include "runtime/os/ForcedAlignment.h"

namespace book {
namespace {

std::string Letters(const std::string& word) {
  std::string out;
  for (unsigned char c : word)
    if (std::isalnum(c) || c >= 0x80) out += static_cast<char>(std::tolower(c));
  return out;
}

// The words of the text, the child's name said as the grown-up spelt it for the voice.
std::vector<wdrt::WordToAlign> WordsToAlign(const TakeToAlign& take) {
  const std::string name = Letters(take.name);
  const bool respelt = !take.saidName.empty() && take.saidName != take.name;
  std::vector<wdrt::WordToAlign> words;
  for (const std::string& word : WordsOfText(take.text))
    words.push_back({word, respelt && Letters(word) == name ? take.saidName : std::string()});
  return words;
}

}  // namespace

bool AlignTake(const TakeToAlign& take) {
  namespace fs = std::filesystem;
  const std::string file = TakeFile(take.book, take.sound);
  const auto started = std::chrono::steady_clock::now();
  std::error_code ec;
  const auto written = fs::last_write_time(file, ec);
  const wdrt::AudioLoadResult loaded = wdrt::LoadAudioClip(file, {wdrt::kAlignmentRate, 1});
  std::string error = "the take cannot be read";
  std::optional<std::vector<wdrt::HeardWord>> heard;
  if (loaded.clip) {
    const std::vector<float> samples(loaded.clip->Frame(0), loaded.clip->Frame(0) + loaded.clip->Frames());
    heard = wdrt::AlignWords(samples, WordsToAlign(take), error);
  }
  // A take recorded again meanwhile is aligned on its own turn.
  if (heard && (fs::last_write_time(file, ec) != written || ec)) {
    heard.reset();
    error = "the take was recorded again";
  }
  if (heard && !KeepWordTimes(take.book, take.sound, *heard)) {
    heard.reset();
    error = "the word times cannot be written";
  }
  const long ms = static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count());
  if (!heard) {
    wdrt::JournalLine("take-not-aligned " + wdrt::JournalQuote(file) + " " + wdrt::JournalQuote(error));
    return false;
  }
  wdrt::JournalLine("take-aligned " + wdrt::JournalQuote(file) + " " + std::to_string(heard->size()) + " words " +
                    std::to_string(ms) + " ms");
  return true;
}

TakeAligner::~TakeAligner() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void TakeAligner::Add(TakeToAlign take) {
  {
    std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(take));
  }
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
  wake_.notify_one();
}

bool TakeAligner::Idle() {
  std::lock_guard lock(mutex_);
  return waiting_.empty() && !working_;
}

void TakeAligner::Work() {
  for (;;) {
    TakeToAlign take;
    {
      std::unique_lock lock(mutex_);
      working_ = false;
      wake_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
      if (waiting_.empty()) return;
      take = std::move(waiting_.front());
      waiting_.pop_front();
      working_ = true;
    }
    AlignTake(take);
  }
}

}  // namespace book
