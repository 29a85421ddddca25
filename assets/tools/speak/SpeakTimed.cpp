// Speaks a text with flite and records when each of its written words is heard.
//   storyloom_speak VOICE TEXT PRONOUNCE_TSV OUT_WAV OUT_TIMES LEAD_MS
// VOICE is slt, rms or awb. The text is split at blanks into written words; each is respelled
// through PRONOUNCE_TSV (whole words, as make_sound.sh always did) and the respelled words are
// spoken as one utterance. flite's Token relation keeps one token per blank-separated piece of
// what it was given, and each token's daughters are the words it says (a "6" says "six", "12"
// says "twelve"), so every token is traced back to the written word it came from, and its
// words' syllables to their segments, whose end times flite sets. OUT_TIMES gets one line per
// written word that is heard: index from 0, the word as written, start and end in milliseconds,
// shifted by LEAD_MS (the silence the caller puts before the speech). Exit status 0 on success.
#include <flite/flite.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
}

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

cst_voice* VoiceNamed(const std::string& name) {
  if (name == "slt") return register_cmu_us_slt(nullptr);
  if (name == "rms") return register_cmu_us_rms(nullptr);
  if (name == "awb") return register_cmu_us_awb(nullptr);
  return nullptr;
}

// First and last segment that a word says, through its syllables.
std::pair<const cst_item*, const cst_item*> SegmentsOf(const cst_item* word) {
  const cst_item* inStructure = item_as(word, "SylStructure");
  if (!inStructure) return {nullptr, nullptr};
  const cst_item* firstSyllable = item_daughter(inStructure);
  const cst_item* lastSyllable = item_last_daughter(inStructure);
  if (!firstSyllable || !lastSyllable) return {nullptr, nullptr};
  return {item_daughter(firstSyllable), item_last_daughter(lastSyllable)};
}

long Milliseconds(float seconds) { return std::lround(seconds * 1000.0f); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::cerr << "usage: storyloom_speak VOICE TEXT PRONOUNCE_TSV OUT_WAV OUT_TIMES LEAD_MS\n";
    return 2;
  }
  const std::string voiceName = argv[1];
  const std::vector<std::string> written = SplitAtBlanks(argv[2]);
  const auto respellings = ReadRespellings(argv[3]);
  const long leadMs = std::atol(argv[6]);

  flite_init();
  cst_voice* voice = VoiceNamed(voiceName);
  if (!voice) {
    std::cerr << "storyloom_speak: unknown voice " << voiceName << "\n";
    return 2;
  }

  // Which written word each spoken piece comes from.
  std::string spoken;
  std::vector<std::size_t> ownerOfPiece;
  for (std::size_t i = 0; i < written.size(); ++i) {
    for (const std::string& piece : SplitAtBlanks(Respelled(written[i], respellings))) {
      if (!spoken.empty()) spoken += ' ';
      spoken += piece;
      ownerOfPiece.push_back(i);
    }
  }

  cst_utterance* utterance = flite_synth_text(spoken.c_str(), voice);
  if (!utterance) {
    std::cerr << "storyloom_speak: flite could not speak the text\n";
    return 1;
  }

  struct Span {
    float start = -1;
    float end = -1;
  };
  std::vector<Span> spans(written.size());
  std::size_t piece = 0;
  for (const cst_item* token = relation_head(utt_relation(utterance, "Token")); token; token = item_next(token), ++piece) {
    if (piece >= ownerOfPiece.size()) {
      std::cerr << "storyloom_speak: flite made more tokens than the text has words\n";
      return 1;
    }
    Span& span = spans[ownerOfPiece[piece]];
    for (const cst_item* word = item_daughter(token); word; word = item_next(word)) {
      const auto [first, last] = SegmentsOf(word);
      if (!first || !last) continue;
      const cst_item* before = item_prev(item_as(first, "Segment"));
      const float start = before ? item_feat_float(before, "end") : 0.0f;
      const float end = item_feat_float(last, "end");
      if (span.start < 0) span.start = start;
      span.end = end;
    }
  }
  if (piece != ownerOfPiece.size()) {
    std::cerr << "storyloom_speak: flite made fewer tokens (" << piece << ") than the text has words ("
              << ownerOfPiece.size() << ")\n";
    return 1;
  }

  if (cst_wave_save_riff(utt_wave(utterance), argv[4]) != CST_OK_FORMAT) {
    std::cerr << "storyloom_speak: cannot write " << argv[4] << "\n";
    return 1;
  }
  std::ofstream times(argv[5]);
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (spans[i].start < 0) continue;  // a mark that says nothing
    times << i << '\t' << written[i] << '\t' << Milliseconds(spans[i].start) + leadMs << '\t'
          << Milliseconds(spans[i].end) + leadMs << '\n';
  }
  delete_utterance(utterance);
  return times ? 0 : 1;
}
