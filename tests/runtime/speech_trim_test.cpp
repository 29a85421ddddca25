// Trimming a recorded take to its speech: the silence and the keys' clicks at both ends go,
// every spoken word stays (pauses between words included), and a take with nothing that lasts
// like speech is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "runtime/os/Speech.h"
#include "runtime/os/SpeechTrim.h"

namespace {

constexpr int kRate = 16000;

std::vector<float> Silence(int ms) { return std::vector<float>(static_cast<std::size_t>(kRate) * ms / 1000, 0.0f); }

std::vector<float> Click() {
  std::vector<float> click(kRate * 4 / 1000);
  for (std::size_t i = 0; i < click.size(); ++i) click[i] = (i / 8) % 2 ? 0.9f : -0.9f;
  return click;
}

void Append(std::vector<float>& to, const std::vector<float>& part) { to.insert(to.end(), part.begin(), part.end()); }

// Room noise at about -60 dBFS.
void AddNoise(std::vector<float>& samples) {
  std::mt19937 random(7);
  std::normal_distribution<float> noise(0.0f, 0.001f);
  for (float& s : samples) s += noise(random);
}

wdrt::Speech Spoken(const std::vector<std::string>& words) {
  std::string error;
  std::optional<wdrt::Speech> speech = wdrt::Speak("slt", words, words, error);
  EXPECT_TRUE(speech) << error;
  wdrt::FinishSpeech(*speech, 0, 0, -20.0);
  EXPECT_EQ(speech->rate, kRate);
  return *speech;
}

TEST(SpeechTrim, ClicksAndSilenceAtBothEndsGoAndEveryWordStays) {
  const wdrt::Speech speech = Spoken({"Look,", "my", "friends", "are", "here!"});
  for (bool noisy : {false, true}) {
    std::vector<float> take = Silence(150);
    Append(take, Click());
    Append(take, Silence(700));
    const std::size_t speechAt = take.size();
    Append(take, speech.samples);
    Append(take, Silence(600));
    const std::size_t secondClick = take.size();
    Append(take, Click());
    Append(take, Silence(200));
    if (noisy) AddNoise(take);

    const auto span = wdrt::FindSpeech(take, kRate);
    ASSERT_TRUE(span) << noisy;
    const auto at = [&](long ms) { return speechAt + static_cast<std::size_t>(ms) * kRate / 1000; };
    EXPECT_LE(span->first, at(speech.words.front().startMs)) << noisy;
    EXPECT_GE(span->end, at(speech.words.back().endMs)) << noisy;
    EXPECT_GT(span->first, speechAt - static_cast<std::size_t>(kRate) * 300 / 1000) << "the first click stays, " << noisy;
    EXPECT_LT(span->end, secondClick) << "the second click stays, " << noisy;
    const std::vector<float> kept = wdrt::TrimmedToSpeech(take, kRate, *span);
    ASSERT_EQ(kept.size(), span->end - span->first);
    EXPECT_EQ(kept.front(), 0.0f) << "faded in";
    EXPECT_EQ(kept.back(), 0.0f) << "faded out";
  }
}

TEST(SpeechTrim, PausesBetweenSentencesStayInside) {
  const wdrt::Speech first = Spoken({"Hi."});
  const wdrt::Speech second = Spoken({"I", "am", "turning", "six."});
  std::vector<float> take = Silence(300);
  Append(take, first.samples);
  Append(take, Silence(900));
  Append(take, second.samples);
  const std::size_t end = take.size();
  Append(take, Silence(300));
  const auto span = wdrt::FindSpeech(take, kRate);
  ASSERT_TRUE(span);
  EXPECT_LT(span->first, static_cast<std::size_t>(kRate) * 300 / 1000 + static_cast<std::size_t>(first.words[0].startMs) * kRate / 1000);
  EXPECT_GT(span->end, end - static_cast<std::size_t>(kRate) * 100 / 1000);
}

TEST(SpeechTrim, ATakeWithNothingThatLastsLikeSpeechIsRefused) {
  EXPECT_FALSE(wdrt::FindSpeech({}, kRate));
  EXPECT_FALSE(wdrt::FindSpeech(Silence(2000), kRate)) << "silence";
  std::vector<float> clicks = Silence(300);
  for (int i = 0; i < 3; ++i) {
    Append(clicks, Click());
    Append(clicks, Silence(400));
  }
  EXPECT_FALSE(wdrt::FindSpeech(clicks, kRate)) << "clicks only";
  std::vector<float> noise = Silence(2000);
  AddNoise(noise);
  EXPECT_FALSE(wdrt::FindSpeech(noise, kRate)) << "the room's noise";
  // A steady hum is as loud at every moment: nothing stands out of it.
  std::vector<float> hum(kRate * 2);
  for (std::size_t i = 0; i < hum.size(); ++i) hum[i] = 0.3f * std::sin(static_cast<float>(i) * 0.2f);
  EXPECT_FALSE(wdrt::FindSpeech(hum, kRate)) << "a hum";
}

}  // namespace
