// Word times by PocketSphinx, for the recording library: the decoder is given a grammar that
// allows exactly the take's words in order, so each word's start and end come from where it
// had to place it. The runtime calls it one alignment at a time.
#include "runtime/os/ForcedAlignment.h"

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <memory>

namespace wdrt {
namespace {

constexpr int kMillisecondsPerFrame = 10;  // the model's 100 frames a second

struct DecoderDeleter {
  void operator()(ps_decoder_t* ps) const { ps_free(ps); }
};
struct ConfigDeleter {
  void operator()(cmd_ln_t* config) const { cmd_ln_free_r(config); }
};

// A word of the grammar: the written word it stands for, and its pronunciations.
struct GrammarWord {
  std::size_t owner = 0;
  std::vector<std::string> pronunciations;
};

std::string Lower(const std::string& text) {
  std::string out;
  for (unsigned char c : text) out += static_cast<char>(std::tolower(c));
  return out;
}

// The word as the dictionary spells its entries: letters, digits and inner apostrophes.
std::string DictionaryForm(const std::string& word) {
  std::string out;
  for (unsigned char c : word)
    if (std::isalnum(c) || c == '\'') out += static_cast<char>(std::tolower(c));
  while (!out.empty() && out.front() == '\'') out.erase(out.begin());
  while (!out.empty() && out.back() == '\'') out.pop_back();
  return out;
}

std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  std::string part;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '\'' || c >= 0x80) {
      part += static_cast<char>(c);
    } else if (!part.empty()) {
      parts.push_back(part);
      part.clear();
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string Joined(const std::vector<std::string>& phones) {
  std::string text;
  for (const std::string& phone : phones) text += (text.empty() ? "" : " ") + phone;
  return text;
}

// Every pronunciation the dictionary has for `word` ("the", "the(2)" ...).
std::vector<std::string> DictionaryPronunciations(ps_decoder_t* ps, const std::string& word) {
  std::vector<std::string> found;
  for (int n = 1; n < 10; ++n) {
    const std::string key = n == 1 ? word : word + "(" + std::to_string(n) + ")";
    char* phones = ps_lookup_word(ps, key.c_str());
    if (!phones) break;
    found.emplace_back(phones);
    ckd_free(phones);
  }
  return found;
}

// The pronunciations of a spoken word: the dictionary's, else from its spelling.
std::vector<std::string> PronunciationsOf(ps_decoder_t* ps, const std::string& spoken) {
  std::vector<std::string> found = DictionaryPronunciations(ps, spoken);
  if (found.empty()) {
    const std::string spelt = Joined(PhonesOfSpelling(spoken));
    if (!spelt.empty()) found.push_back(spelt);
  }
  return found;
}

// The grammar's words for the written words: a respelt word is one word said as its parts in
// turn; a number is its words; another word is itself.
bool GrammarWords(ps_decoder_t* ps, const std::vector<WordToAlign>& words, std::vector<GrammarWord>& out,
                  std::string& error) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!words[i].said.empty()) {
      std::vector<std::string> phones;
      for (const std::string& part : Parts(words[i].said)) {
        std::vector<std::string> known = DictionaryPronunciations(ps, DictionaryForm(part));
        if (!known.empty()) {
          phones.push_back(known.front());
        } else {
          const std::string spelt = Joined(PhonesOfSpelling(part));
          if (!spelt.empty()) phones.push_back(spelt);
        }
      }
      if (phones.empty()) {
        error = "no pronunciation for \"" + words[i].said + "\"";
        return false;
      }
      out.push_back({i, {Joined(phones)}});
      continue;
    }
    const std::string form = DictionaryForm(words[i].written);
    if (form.empty()) continue;  // a mark that says nothing
    const bool number = std::all_of(form.begin(), form.end(), [](unsigned char c) { return std::isdigit(c); });
    for (const std::string& spoken : Parts(number ? NumberInWords(form) : form)) {
      std::vector<std::string> pronunciations = PronunciationsOf(ps, Lower(spoken));
      if (pronunciations.empty()) {
        error = "no pronunciation for \"" + words[i].written + "\"";
        return false;
      }
      out.push_back({i, std::move(pronunciations)});
    }
  }
  if (out.empty()) error = "no word to align";
  return !out.empty();
}

std::string KeyOf(std::size_t word, std::size_t pronunciation) {
  return "w" + std::to_string(word) + "p" + std::to_string(pronunciation);
}

}  // namespace

namespace {

bool Align(const std::vector<float>& samples, const std::vector<WordToAlign>& words, std::vector<HeardWord>& heard,
           std::string& error) {
  // Wide beams: the words are known, so the search must not lose the one path through them.
  std::unique_ptr<cmd_ln_t, ConfigDeleter> config(cmd_ln_init(
      nullptr, ps_args(), TRUE, "-hmm", STORYLOOM_SPHINX_MODEL "/en-us", "-dict",
      STORYLOOM_SPHINX_MODEL "/cmudict-en-us.dict", "-logfn", "/dev/null", "-samprate", "16000", "-beam", "1e-80",
      "-wbeam", "1e-60", "-pbeam", "1e-80", nullptr));
  if (!config) {
    error = "the speech model cannot be read";
    return false;
  }
  std::unique_ptr<ps_decoder_t, DecoderDeleter> ps(ps_init(config.get()));
  if (!ps) {
    error = "the speech model cannot be loaded from " STORYLOOM_SPHINX_MODEL;
    return false;
  }
  std::vector<GrammarWord> grammar;
  if (!GrammarWords(ps.get(), words, grammar, error)) return false;

  std::string rule;
  for (std::size_t g = 0; g < grammar.size(); ++g) {
    rule += " (";
    for (std::size_t p = 0; p < grammar[g].pronunciations.size(); ++p) {
      const std::string key = KeyOf(g, p);
      if (ps_add_word(ps.get(), key.c_str(), grammar[g].pronunciations[p].c_str(), FALSE) < 0) {
        error = "the decoder refused the pronunciation \"" + grammar[g].pronunciations[p] + "\"";
        return false;
      }
      rule += (p ? " | " : " ") + key;
    }
    rule += " )";
  }
  const std::string jsgf = "#JSGF V1.0;\ngrammar take;\npublic <take> =" + rule + " ;\n";
  if (ps_set_jsgf_string(ps.get(), "take", jsgf.c_str()) < 0 || ps_set_search(ps.get(), "take") < 0) {
    error = "the decoder refused the grammar";
    return false;
  }

  std::vector<int16> pcm(samples.size());
  std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
    return static_cast<int16>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
  });
  if (ps_start_utt(ps.get()) < 0 || ps_process_raw(ps.get(), pcm.data(), pcm.size(), FALSE, TRUE) < 0 ||
      ps_end_utt(ps.get()) < 0) {
    error = "the decoder could not read the recording";
    return false;
  }
  // The grammar's words in the order heard, pauses and noises aside.
  std::vector<std::pair<int, int>> frames;
  for (ps_seg_t* seg = ps_seg_iter(ps.get()); seg; seg = ps_seg_next(seg)) {
    const std::string word = ps_seg_word(seg);
    if (word.empty() || word[0] != 'w') continue;
    int first = 0, last = 0;
    ps_seg_frames(seg, &first, &last);
    frames.emplace_back(first, last);
  }
  if (frames.size() != grammar.size()) {
    error = "the recording does not say the text (" + std::to_string(frames.size()) + " of " +
            std::to_string(grammar.size()) + " words found)";
    return false;
  }
  heard.clear();
  for (std::size_t g = 0; g < grammar.size(); ++g) {
    const std::size_t owner = grammar[g].owner;
    const long start = static_cast<long>(frames[g].first) * kMillisecondsPerFrame;
    const long end = static_cast<long>(frames[g].second + 1) * kMillisecondsPerFrame;
    if (!heard.empty() && heard.back().index == static_cast<int>(owner)) {
      heard.back().endMs = end;  // a further word of a number
      continue;
    }
    heard.push_back({static_cast<int>(owner), words[owner].written, start, end});
  }
  return true;
}

}  // namespace
}  // namespace wdrt

extern "C" bool wdrt_voice_align(const std::vector<float>& samples, const std::vector<wdrt::WordToAlign>& words,
                                 std::vector<wdrt::HeardWord>& heard, std::string& error) {
  return wdrt::Align(samples, words, heard, error);
}
