// Speech made at run time with flite's library: a text spoken in one of the suite's voices,
// with the time at which each written word is heard (for read-along), and its WAV file.
// Any thread; the synthesiser itself runs one text at a time.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wdrt {

struct HeardWord {
  int index = 0;       // place among the written words, from 0
  std::string word;    // as written
  long startMs = 0;
  long endMs = 0;
};

struct Speech {
  int rate = 0;                  // samples per second
  std::vector<float> samples;    // mono, -1 … 1
  std::vector<HeardWord> words;  // in order; words that say nothing are left out
};

// The voices the suite has: "slt" (a woman, the narrator), "rms" and "awb" (men).
const std::vector<std::string>& SpeechVoices();

// Speaks the written words, each said as `said[i]` (its respelling; blanks in it make it several
// spoken words, all timed as the one written word). The times are from the start of the speech.
// nullopt, with `error` set, for an unknown voice or what flite cannot say.
std::optional<Speech> Speak(const std::string& voice, const std::vector<std::string>& written,
                            const std::vector<std::string>& said, std::string& error);

// Puts `leadMs` of silence before the speech and `tailMs` after it (moving the word times),
// and brings it to one loudness: an RMS level of `targetDb` dBFS with peaks below -1 dBFS.
void FinishSpeech(Speech& speech, long leadMs, long tailMs, double targetDb);

// Writes the speech as a 16-bit mono WAV file, through a temporary name so that a reader never
// sees half a file. False when it cannot be written.
bool WriteSpeechWav(const Speech& speech, const std::string& path);

}  // namespace wdrt
