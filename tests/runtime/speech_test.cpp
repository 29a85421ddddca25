// Speech made at run time: each written word is timed in order inside the sound, a respelling
// of several words times them as the one written word, the finished sound has its silence and
// loudness, and the WAV file reads back as written.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "runtime/os/Letters.h"
#include "runtime/os/Speech.h"

namespace {

float Peak(const std::vector<float>& samples) {
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  return peak;
}

TEST(Speech, EveryWrittenWordIsTimedInOrderInsideTheSound) {
  std::string error;
  const std::vector<std::string> written{"Hi,", "my", "name", "is", "Zoë."};
  const std::vector<std::string> said{"Hi,", "my", "name", "is", "Zoh ee."};
  const auto speech = wdrt::Speak("slt", written, said, error);
  ASSERT_TRUE(speech) << error;
  ASSERT_GT(speech->rate, 8000);
  const long lengthMs = static_cast<long>(speech->samples.size()) * 1000 / speech->rate;
  ASSERT_EQ(speech->words.size(), written.size());
  long previousEnd = 0;
  for (std::size_t i = 0; i < written.size(); ++i) {
    const wdrt::HeardWord& word = speech->words[i];
    EXPECT_EQ(word.index, static_cast<int>(i));
    EXPECT_EQ(word.word, written[i]);
    EXPECT_GE(word.startMs, previousEnd - 1) << word.word;
    EXPECT_GT(word.endMs, word.startMs) << word.word;
    EXPECT_LE(word.endMs, lengthMs) << word.word;
    previousEnd = word.endMs;
  }
  // "Zoh ee." is two spoken words, timed as the one written name: longer than "is".
  EXPECT_GT(speech->words[4].endMs - speech->words[4].startMs, speech->words[3].endMs - speech->words[3].startMs);
}

TEST(Speech, UnknownVoicesAndUnmatchedFormsAreRefused) {
  std::string error;
  EXPECT_FALSE(wdrt::Speak("kal", {"Hi"}, {"Hi"}, error));
  EXPECT_NE(error.find("unknown voice"), std::string::npos) << error;
  EXPECT_FALSE(wdrt::Speak("slt", {"Hi", "there"}, {"Hi"}, error));
  for (const std::string& voice : wdrt::SpeechVoices()) EXPECT_TRUE(wdrt::Speak(voice, {"Hi"}, {"Hi"}, error)) << voice;
}

TEST(Speech, AFinishedSoundHasItsSilenceAndLoudnessAndReadsBackFromItsFile) {
  std::string error;
  auto speech = wdrt::Speak("rms", {"Look", "at", "me!"}, {"Look", "at", "me!"}, error);
  ASSERT_TRUE(speech) << error;
  const std::size_t before = speech->samples.size();
  const long firstStart = speech->words[0].startMs;
  wdrt::FinishSpeech(*speech, 50, 150, -18.0);
  EXPECT_EQ(speech->samples.size(), before + static_cast<std::size_t>(speech->rate / 5));
  EXPECT_EQ(speech->words[0].startMs, firstStart + 50);
  for (std::size_t i = 0; i < static_cast<std::size_t>(speech->rate / 20); ++i) ASSERT_EQ(speech->samples[i], 0.0f);
  EXPECT_LE(Peak(speech->samples), std::pow(10.0f, -1.0f / 20.0f) + 1e-4f);  // peaks below -1 dBFS
  EXPECT_GT(Peak(speech->samples), 0.2f);

  const auto file = std::filesystem::temp_directory_path() / ("speech-" + std::to_string(::getpid()) + ".wav");
  ASSERT_TRUE(wdrt::WriteSpeechWav(*speech, file.string()));
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".part"));
  SF_INFO info{};
  SNDFILE* in = sf_open(file.c_str(), SFM_READ, &info);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(info.samplerate, speech->rate);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.frames, static_cast<sf_count_t>(speech->samples.size()));
  sf_close(in);
  std::filesystem::remove(file);
  EXPECT_FALSE(wdrt::WriteSpeechWav(*speech, "/no/such/folder/x.wav"));
}

TEST(Letters, TextIsDecodedAndClassedWhateverItsScript) {
  EXPECT_EQ(wdrt::DecodeUtf8("Zoë"), std::u32string(U"Zoë"));
  for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF5\x80\x80\x80", "a\x80"})
    EXPECT_FALSE(wdrt::DecodeUtf8(bad)) << "overlong, surrogate, past the last plane or cut";
  EXPECT_TRUE(wdrt::IsLetter(U'Я') && wdrt::IsLetter(U'ß') && wdrt::IsLetter(U'中'));
  EXPECT_FALSE(wdrt::IsLetter(U'2') || wdrt::IsLetter(U'-'));
  EXPECT_TRUE(wdrt::IsMark(U'\u0308'));
  EXPECT_TRUE(wdrt::IsControl(U'\t') && wdrt::IsControl(U'\u202E') && wdrt::IsControl(U'\u0085'));
  EXPECT_EQ(wdrt::ComposedText("Zoe\u0308"), "Zoë");
}

}  // namespace
