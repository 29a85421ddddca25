#include "family/SpokenText.h"

#include "family/Child.h"
#include "family/NameVoice.h"
#include "family/ReadAlongTable.h"

namespace book {
namespace {

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

}  // namespace

std::string SpokenText(const std::string& sound, const std::string& childName) {
  if (const std::optional<std::string> named = NameSoundWords(sound))
    return Joined(WordsOfText(WithChildName(*named, childName)));
  const std::vector<TimedWord>* timed = TimedWordsOf(SuiteReadAlongTable(), sound);
  if (!timed) return "";
  std::vector<std::string> words;
  for (const TimedWord& word : *timed) words.push_back(word.word);
  return Joined(words);
}

}  // namespace book
