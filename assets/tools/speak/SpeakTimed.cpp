// Speaks a text with flite and records when each of its written words is heard.
//   storyloom_speak VOICE TEXT PRONOUNCE_TSV OUT_WAV OUT_TIMES LEAD_MS
// VOICE is slt, rms or awb. The text is split at blanks into written words; each is respelled
// through PRONOUNCE_TSV (whole words, as make_sound.sh always did) and the respelled words are
// spoken as one utterance. OUT_TIMES gets one line per
// written word that is heard: index from 0, the word as written, start and end in milliseconds,
// shifted by LEAD_MS (the silence the caller puts before the speech). Exit status 0 on success.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/os/Speech.h"

namespace {

std::vector<std::string> SplitAtBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::vector<std::pair<std::string, std::string>> ReadRespellings(const std::string& file) {
  std::vector<std::pair<std::string, std::string>> rows;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) continue;
    rows.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return rows;
}

std::string Respelled(std::string word, const std::vector<std::pair<std::string, std::string>>& rows) {
  for (const auto& [written, spoken] : rows) {
    const std::string pattern = "\\b" + std::regex_replace(written, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") + "\\b";
    word = std::regex_replace(word, std::regex(pattern), spoken);
  }
  return word;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::cerr << "usage: storyloom_speak VOICE TEXT PRONOUNCE_TSV OUT_WAV OUT_TIMES LEAD_MS\n";
    return 2;
  }
  const std::vector<std::string> written = SplitAtBlanks(argv[2]);
  const auto respellings = ReadRespellings(argv[3]);
  const long leadMs = std::atol(argv[6]);
  std::vector<std::string> said;
  for (const std::string& word : written) said.push_back(Respelled(word, respellings));
  std::string error;
  const std::optional<wdrt::Speech> speech = wdrt::Speak(argv[1], written, said, error);
  if (!speech) {
    std::cerr << "storyloom_speak: " << error << "\n";
    return error.rfind("unknown voice", 0) == 0 ? 2 : 1;
  }
  if (!wdrt::WriteSpeechWav(*speech, argv[4])) {
    std::cerr << "storyloom_speak: cannot write " << argv[4] << "\n";
    return 1;
  }
  std::ofstream times(argv[5]);
  for (const wdrt::HeardWord& word : speech->words)
    times << word.index << '\t' << word.word << '\t' << word.startMs + leadMs << '\t' << word.endMs + leadMs << '\n';
  return times ? 0 : 1;
}
