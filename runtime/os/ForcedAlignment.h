// Word times of a recording whose words are known: PocketSphinx decodes it against a grammar
// that allows exactly those words in order (with pauses between them), so each word's start
// and end come from where the decoder had to place it. Any thread; the library keeps some
// global state (its log), so one alignment runs at a time and others wait.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/os/Speech.h"

namespace wdrt {

// The sample rate the acoustic model was trained at; the samples given must have it.
inline constexpr int kAlignmentRate = 16000;

// A written word and how it is said: `said` is empty for the word as spelt, else a
// respelling ("Zoh-ee") whose parts are said in turn.
struct WordToAlign {
  std::string written;
  std::string said;
};

// The words as heard in `samples` (mono, -1 … 1, at kAlignmentRate): one per written word, in
// order, numbered as given. nullopt, with `error` set, when the model is missing, a word cannot
// be pronounced, or the decoder finds no path through all the words.
std::optional<std::vector<HeardWord>> AlignWords(const std::vector<float>& samples,
                                                 const std::vector<WordToAlign>& words, std::string& error);

// A number written in digits as its spoken words ("12" gives "twelve", "46" "forty six"); the
// text itself when it is not a whole number below one thousand.
std::string NumberInWords(const std::string& digits);

}  // namespace wdrt
