#include "runtime/os/ForcedAlignment.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "runtime/os/VoiceLibrary.h"

namespace wdrt {

std::string NumberInWords(const std::string& digits) {
  static const char* const kOnes[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight",
                                      "nine", "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen",
                                      "sixteen", "seventeen", "eighteen", "nineteen"};
  static const char* const kTens[] = {"", "", "twenty", "thirty", "forty", "fifty", "sixty", "seventy", "eighty", "ninety"};
  if (digits.empty() || digits.size() > 3 ||
      !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
    return digits;
  const int n = std::stoi(digits);
  std::string words;
  const int hundreds = n / 100, rest = n % 100;
  if (hundreds > 0) words = std::string(kOnes[hundreds]) + " hundred";
  if (rest == 0 && hundreds > 0) return words;
  if (!words.empty()) words += " and ";
  if (rest < 20) return words + kOnes[rest];
  words += kTens[rest / 10];
  if (rest % 10 != 0) words += std::string(" ") + kOnes[rest % 10];
  return words;
}

std::optional<std::vector<HeardWord>> AlignWords(const std::vector<float>& samples,
                                                 const std::vector<WordToAlign>& words, std::string& error) {
  static std::mutex oneAtATime;
  std::lock_guard lock(oneAtATime);
  const voice::Library& library = voice::Load();
  if (!library.align) {
    error = library.error;
    return std::nullopt;
  }
  std::vector<HeardWord> heard;
  if (!library.align(samples, words, heard, error)) return std::nullopt;
  return heard;
}

}  // namespace wdrt
