// Word times of a recording from forced alignment: how close they come to the times the
// synthesiser gave the suite's own narrations, a respelt name and numbers in digits are found,
// and a recording that cannot hold the words is refused rather than timed at random.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "runtime/os/AudioClip.h"
#include "runtime/os/ForcedAlignment.h"
#include "runtime/os/Speech.h"

namespace {

using wdrt::AlignWords;
using wdrt::WordToAlign;

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
  return cells;
}

// The respellings the synthesiser was given (assets/pronounce.tsv), by written word.
std::map<std::string, std::string> Respellings() {
  std::map<std::string, std::string> said;
  std::ifstream in(std::string(STORYLOOM_SOURCE_DIR) + "/assets/pronounce.tsv");
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> cells = Cells(line);
    if (line.empty() || line[0] == '#' || cells.size() < 2) continue;
    said[cells[0]] = cells[1];
  }
  return said;
}

std::string Bare(std::string word) {
  while (!word.empty() && std::ispunct(static_cast<unsigned char>(word.back())) && word.back() != '.') word.pop_back();
  while (!word.empty() && word.back() == '.' && word.find('.') == word.size() - 1) word.pop_back();
  return word;
}

TEST(ForcedAlignment, WordStartsOfTheSuitesNarrationsAreFoundWithinEightyMilliseconds) {
  std::ifstream in(std::string(STORYLOOM_SUITE_DIR) + "/readalong.tsv");
  ASSERT_TRUE(in) << "the suite's read-along table is missing";
  std::map<std::string, std::vector<wdrt::HeardWord>> table;
  std::vector<std::string> order;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> cells = Cells(line);
    if (line.empty() || line[0] == '#' || cells.size() != 5) continue;
    if (!table.count(cells[0])) order.push_back(cells[0]);
    table[cells[0]].push_back({std::stoi(cells[1]), cells[2], std::stol(cells[3]), std::stol(cells[4])});
  }
  const std::map<std::string, std::string> respelt = Respellings();
  int words = 0, within = 0, sounds = 0, failed = 0;
  double speechSeconds = 0, alignSeconds = 0;
  std::vector<long> errors;
  for (const std::string& sound : order) {
    const wdrt::AudioLoadResult loaded =
        wdrt::LoadAudioClip(std::string(STORYLOOM_SUITE_DIR) + "/" + sound, {wdrt::kAlignmentRate, 1});
    ASSERT_TRUE(loaded.clip) << sound;
    const std::vector<float> samples(loaded.clip->Frame(0), loaded.clip->Frame(0) + loaded.clip->Frames());
    std::vector<WordToAlign> toAlign;
    for (const wdrt::HeardWord& w : table[sound]) {
      auto it = respelt.find(Bare(w.word));
      toAlign.push_back({w.word, it == respelt.end() ? "" : it->second});
    }
    std::string error;
    const auto started = std::chrono::steady_clock::now();
    const auto heard = AlignWords(samples, toAlign, error);
    alignSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    speechSeconds += static_cast<double>(samples.size()) / wdrt::kAlignmentRate;
    ++sounds;
    const std::vector<wdrt::HeardWord>& expected = table[sound];
    words += static_cast<int>(expected.size());
    if (!heard || heard->size() != expected.size()) {
      ++failed;
      ADD_FAILURE() << sound << ": " << error;
      continue;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ((*heard)[i].index, expected[i].index) << sound;
      const long off = (*heard)[i].startMs - expected[i].startMs;
      errors.push_back(off);
      if (std::labs(off) <= 80) ++within;
    }
  }
  ASSERT_GT(words, 300);
  double mean = 0;
  for (long e : errors) mean += static_cast<double>(e);
  mean /= static_cast<double>(std::max<std::size_t>(1, errors.size()));
  const double share = 100.0 * within / words;
  std::printf("forced alignment: %d sounds, %d words, %.1f %% of word starts within 80 ms (mean offset %.0f ms), "
              "%d sounds not aligned; %.3f s of alignment per second of speech (%.1f s for %.1f s)\n",
              sounds, words, share, mean, failed, alignSeconds / speechSeconds, alignSeconds, speechSeconds);
  EXPECT_GE(share, 90.0);
}

wdrt::Speech Spoken(const std::vector<std::string>& written, const std::vector<std::string>& said) {
  std::string error;
  std::optional<wdrt::Speech> speech = wdrt::Speak("rms", written, said, error);
  EXPECT_TRUE(speech) << error;
  wdrt::FinishSpeech(*speech, 200, 300, -20.0);
  EXPECT_EQ(speech->rate, wdrt::kAlignmentRate);
  return *speech;
}

// Every word in order, its start near the synthesiser's: the word `closely` (the one a case is
// about) within 80 ms, the others within 150 ms (the measure above counts the share within 80).
void ExpectStartsNear(const std::vector<wdrt::HeardWord>& heard, const std::vector<wdrt::HeardWord>& said,
                      std::size_t closely) {
  ASSERT_EQ(heard.size(), said.size());
  for (std::size_t i = 0; i < said.size(); ++i) {
    EXPECT_EQ(heard[i].index, said[i].index);
    EXPECT_EQ(heard[i].word, said[i].word);
    EXPECT_NEAR(heard[i].startMs, said[i].startMs, i == closely ? 80 : 150) << said[i].word;
    EXPECT_GT(heard[i].endMs, heard[i].startMs) << said[i].word;
  }
}

TEST(ForcedAlignment, ANameIsFoundAsItsSayItLikeAndNumbersAsTheirWords) {
  // The dictionary has no "Zoë"; the grown-up's respelling says it. "6" is said "six".
  const std::vector<std::string> written{"Hi,", "my", "name", "is", "Zoë.", "I", "am", "turning", "6."};
  const std::vector<std::string> said{"Hi,", "my", "name", "is", "Zoh ee.", "I", "am", "turning", "6."};
  const wdrt::Speech speech = Spoken(written, said);
  std::vector<WordToAlign> words;
  for (const std::string& w : written) words.push_back({w, w == "Zoë." ? "Zoh-ee" : ""});
  std::string error;
  const auto heard = AlignWords(speech.samples, words, error);
  ASSERT_TRUE(heard) << error;
  ExpectStartsNear(*heard, speech.words, 4);
  EXPECT_NEAR((*heard)[8].startMs, speech.words[8].startMs, 80) << "6.";
  // A name the dictionary does not know, without a respelling: said from its spelling.
  const wdrt::Speech named = Spoken({"Hello", "Zuli!"}, {"Hello", "Zuli!"});
  const auto found = AlignWords(named.samples, {{"Hello", ""}, {"Zuli!", ""}}, error);
  ASSERT_TRUE(found) << error;
  ExpectStartsNear(*found, named.words, 1);
}

TEST(ForcedAlignment, ARecordingThatCannotHoldTheWordsIsRefused) {
  std::string error;
  const std::vector<WordToAlign> many{{"My", ""}, {"birthday", ""}, {"party", ""}, {"is", ""}, {"at", ""},
                                      {"the", ""}, {"park.", ""}};
  EXPECT_FALSE(AlignWords(std::vector<float>(wdrt::kAlignmentRate / 10, 0.0f), many, error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(AlignWords(std::vector<float>(wdrt::kAlignmentRate, 0.0f), {{"--", ""}, {"!", ""}}, error))
      << "nothing to say";
  EXPECT_FALSE(error.empty());
}

TEST(ForcedAlignment, NumbersAreSaidAsWords) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0", "zero"}, {"6", "six"}, {"12", "twelve"}, {"20", "twenty"}, {"46", "forty six"},
      {"100", "one hundred"}, {"305", "three hundred and five"}, {"1000", "1000"}, {"6a", "6a"}, {"", ""}};
  for (const auto& [digits, words] : cases) EXPECT_EQ(wdrt::NumberInWords(digits), words) << digits;
}

}  // namespace
