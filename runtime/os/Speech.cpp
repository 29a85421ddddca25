#include "runtime/os/Speech.h"

#include "runtime/os/FliteLibrary.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <sstream>

namespace wdrt {
namespace {

// flite keeps global state: one synthesis at a time, voices registered once.
std::mutex& FliteLock() {
  static std::mutex lock;
  return lock;
}

cst_voice* VoiceNamed(const std::string& name) {
  if (!Flite().loaded) return nullptr;
  static bool initialised = false;
  if (!initialised) {
    Flite().flite_init();
    initialised = true;
  }
  static cst_voice* slt = nullptr;
  static cst_voice* rms = nullptr;
  static cst_voice* awb = nullptr;
  if (name == "slt") return slt ? slt : (slt = Flite().register_cmu_us_slt(nullptr));
  if (name == "rms") return rms ? rms : (rms = Flite().register_cmu_us_rms(nullptr));
  if (name == "awb") return awb ? awb : (awb = Flite().register_cmu_us_awb(nullptr));
  return nullptr;
}

std::vector<std::string> SplitAtBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// First and last segment that a word says, through its syllables.
std::pair<const cst_item*, const cst_item*> SegmentsOf(const cst_item* word) {
  const cst_item* inStructure = Flite().item_as(word, "SylStructure");
  if (!inStructure) return {nullptr, nullptr};
  const cst_item* firstSyllable = Flite().item_daughter(inStructure);
  const cst_item* lastSyllable = Flite().item_last_daughter(inStructure);
  if (!firstSyllable || !lastSyllable) return {nullptr, nullptr};
  return {Flite().item_daughter(firstSyllable), Flite().item_last_daughter(lastSyllable)};
}

long Milliseconds(float seconds) { return std::lround(seconds * 1000.0f); }

struct UtteranceDeleter {
  void operator()(cst_utterance* u) const { Flite().delete_utterance(u); }
};

}  // namespace

const std::vector<std::string>& SpeechVoices() {
  static const std::vector<std::string> voices{"slt", "rms", "awb"};
  return voices;
}

std::optional<Speech> Speak(const std::string& voiceName, const std::vector<std::string>& written,
                            const std::vector<std::string>& said, std::string& error) {
  if (said.size() != written.size()) {
    error = "every written word needs its spoken form";
    return std::nullopt;
  }
  // Which written word each spoken piece comes from.
  std::string spoken;
  std::vector<std::size_t> ownerOfPiece;
  for (std::size_t i = 0; i < said.size(); ++i) {
    for (const std::string& piece : SplitAtBlanks(said[i])) {
      if (!spoken.empty()) spoken += ' ';
      spoken += piece;
      ownerOfPiece.push_back(i);
    }
  }
  std::lock_guard lock(FliteLock());
  cst_voice* voice = VoiceNamed(voiceName);
  if (!voice) {
    error = Flite().loaded ? "unknown voice " + voiceName : "no speech: " + Flite().error;
    return std::nullopt;
  }
  std::unique_ptr<cst_utterance, UtteranceDeleter> utterance(Flite().flite_synth_text(spoken.c_str(), voice));
  if (!utterance) {
    error = "flite could not speak the text";
    return std::nullopt;
  }
  // flite's Token relation keeps one token per blank-separated piece, and each token's
  // daughters are the words it says (a "6" says "six"), so each token is traced back to its
  // written word, and its words' syllables to their segments, whose end times flite sets.
  struct Span {
    float start = -1;
    float end = -1;
  };
  std::vector<Span> spans(written.size());
  std::size_t piece = 0;
  for (const cst_item* token = Flite().relation_head(Flite().utt_relation(utterance.get(), "Token")); token;
       token = Flite().item_next(token), ++piece) {
    if (piece >= ownerOfPiece.size()) {
      error = "flite made more tokens than the text has words";
      return std::nullopt;
    }
    Span& span = spans[ownerOfPiece[piece]];
    for (const cst_item* word = Flite().item_daughter(token); word; word = Flite().item_next(word)) {
      const auto [first, last] = SegmentsOf(word);
      if (!first || !last) continue;
      const cst_item* before = Flite().item_prev(Flite().item_as(first, "Segment"));
      const float start = before ? Flite().item_feat_float(before, "end") : 0.0f;
      const float end = Flite().item_feat_float(last, "end");
      if (span.start < 0) span.start = start;
      span.end = end;
    }
  }
  if (piece != ownerOfPiece.size()) {
    error = "flite made fewer tokens (" + std::to_string(piece) + ") than the text has words (" +
            std::to_string(ownerOfPiece.size()) + ")";
    return std::nullopt;
  }
  const cst_wave* wave = Flite().utt_wave(utterance.get());
  if (!wave || cst_wave_num_channels(wave) != 1) {
    error = "flite made no sound";
    return std::nullopt;
  }
  Speech speech;
  speech.rate = cst_wave_sample_rate(wave);
  const int count = cst_wave_num_samples(wave);
  speech.samples.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) speech.samples.push_back(static_cast<float>(wave->samples[i]) / 32768.0f);
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (spans[i].start < 0) continue;  // a mark that says nothing
    speech.words.push_back({static_cast<int>(i), written[i], Milliseconds(spans[i].start), Milliseconds(spans[i].end)});
  }
  return speech;
}

void FinishSpeech(Speech& speech, long leadMs, long tailMs, double targetDb) {
  const auto framesOf = [&](long ms) { return static_cast<std::size_t>(ms) * static_cast<std::size_t>(speech.rate) / 1000; };
  speech.samples.insert(speech.samples.begin(), framesOf(leadMs), 0.0f);
  speech.samples.insert(speech.samples.end(), framesOf(tailMs), 0.0f);
  for (HeardWord& word : speech.words) {
    word.startMs += leadMs;
    word.endMs += leadMs;
  }
  double sumOfSquares = 0;
  float peak = 0;
  for (float s : speech.samples) {
    sumOfSquares += static_cast<double>(s) * s;
    peak = std::max(peak, std::fabs(s));
  }
  if (speech.samples.empty() || peak <= 0) return;
  const double rmsDb = 10.0 * std::log10(sumOfSquares / static_cast<double>(speech.samples.size()));
  const double peakDb = 20.0 * std::log10(peak);
  const double gainDb = std::min(targetDb - rmsDb, -1.0 - peakDb);
  const auto gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
  for (float& s : speech.samples) s *= gain;
}

std::vector<std::string> PhonesOfSpelling(const std::string& word) {
  std::string letters;
  for (unsigned char c : word)
    if (std::isalpha(c) || c == '\'') letters += static_cast<char>(std::tolower(c));
  std::vector<std::string> phones;
  if (letters.empty()) return phones;
  std::lock_guard lock(FliteLock());
  if (!Flite().loaded) return phones;
  static cst_lexicon* lexicon = Flite().cmu_lex_init();
  cst_val* found = Flite().lex_lookup(lexicon, letters.c_str(), nullptr, nullptr);
  for (const cst_val* v = found; v; v = Flite().val_cdr(v)) {
    std::string phone = Flite().val_string(Flite().val_car(v));
    std::erase_if(phone, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    // flite's reduced vowels are the plain ones of the CMU set.
    if (phone == "ax") phone = "ah";
    else if (phone == "axr") phone = "er";
    if (phone == "pau" || phone.empty()) continue;
    std::transform(phone.begin(), phone.end(), phone.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    phones.push_back(phone);
  }
  Flite().delete_val(found);
  return phones;
}

bool WriteSpeechWav(const Speech& speech, const std::string& path) {
  SF_INFO info{};
  info.samplerate = speech.rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  const std::string part = path + ".part";
  SNDFILE* file = sf_open(part.c_str(), SFM_WRITE, &info);
  if (!file) return false;
  // Float samples are scaled to 16 bits and clipped by libsndfile.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const auto frames = static_cast<sf_count_t>(speech.samples.size());
  const bool written = sf_writef_float(file, speech.samples.data(), frames) == frames;
  const bool closed = sf_close(file) == 0;
  if (!written || !closed || std::rename(part.c_str(), path.c_str()) != 0) {
    std::remove(part.c_str());
    return false;
  }
  return true;
}

}  // namespace wdrt
