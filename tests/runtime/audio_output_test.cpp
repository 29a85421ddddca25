// The audio output and decoded clips: conversion to the device's format, voices that keep
// their position, and the dummy driver taking over when no sound device can be opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "runtime/os/AudioClip.h"
#include "runtime/os/AudioOutput.h"
#include "runtime/os/Mci.h"
#include "tests/pvmedia/SoundFiles.h"

namespace wdrt {
namespace {

using namespace std::chrono_literals;

TEST(AudioClipLoad, ConvertsEveryRateAndChannelCountToTheOutputFormat) {
  soundtest::WorkFolder folder;
  struct Case {
    int rate;
    int channels;
    double seconds;
  };
  for (const Case c : {Case{8000, 1, 0.5}, Case{22050, 1, 1.0}, Case{44100, 2, 1.0}, Case{48000, 2, 0.25}}) {
    SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.channels) + " channels");
    soundtest::WriteToneWav("tone.wav", c.seconds, c.rate, c.channels);
    const AudioLoadResult loaded = LoadAudioClip("tone.wav", AudioFormat{48000, 2});
    ASSERT_EQ(loaded.error, AudioLoadError::None);
    EXPECT_EQ(loaded.clip->Format().channels, 2);
    EXPECT_EQ(loaded.clip->Frames(), static_cast<std::size_t>(c.seconds * 48000));
    EXPECT_EQ(loaded.clip->MillisecondsOf(loaded.clip->Frames()), static_cast<unsigned long>(c.seconds * 1000));
    // A mono sound is heard on both sides, and its last moments are kept.
    const std::size_t late = loaded.clip->Frames() - 200;
    float loudest = 0;
    for (std::size_t frame = late - 200; frame < late; ++frame) {
      EXPECT_FLOAT_EQ(loaded.clip->Frame(frame)[0], loaded.clip->Frame(frame)[1]);
      loudest = std::max(loudest, std::abs(loaded.clip->Frame(frame)[0]));
    }
    EXPECT_GT(loudest, 0.2f);
  }
}

TEST(AudioClipLoad, MissingAndUnplayableFilesAreToldApart) {
  soundtest::WorkFolder folder;
  EXPECT_EQ(LoadAudioClip("nothing.wav", AudioFormat{}).error, AudioLoadError::NotFound);
  soundtest::WriteBytes("noise.wav", soundtest::RandomBytes(5000, 3));
  EXPECT_EQ(LoadAudioClip("noise.wav", AudioFormat{}).error, AudioLoadError::Invalid);
  soundtest::fs::create_directory("dir.wav");
  EXPECT_EQ(LoadAudioClip("dir.wav", AudioFormat{}).error, AudioLoadError::Invalid);
}

class Voice : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::optional<AudioFormat> format = OpenAudioOutput();
    ASSERT_TRUE(format);
    soundtest::WriteToneWav("tone.wav", 1.0);
    clip_ = LoadAudioClip("tone.wav", *format).clip;
    ASSERT_TRUE(clip_);
  }
  soundtest::WorkFolder folder_;
  std::shared_ptr<const AudioClip> clip_;
};

TEST_F(Voice, PlaysItsRangeAndStopsAtItsEnd) {
  AudioVoice voice(clip_);
  EXPECT_FALSE(voice.Playing());
  voice.Play(clip_->FramesOf(900), clip_->FramesOf(950));
  EXPECT_TRUE(voice.Playing());
  EXPECT_TRUE(voice.WaitWhilePlaying(soundtest::kSoundWait));
  EXPECT_EQ(voice.Position(), clip_->FramesOf(950));
  // An empty range does not play at all.
  voice.Play(clip_->FramesOf(500), clip_->FramesOf(500));
  EXPECT_FALSE(voice.Playing());
}

TEST_F(Voice, HaltKeepsThePositionAndSeekMovesIt) {
  AudioVoice voice(clip_);
  voice.Play(0, clip_->Frames());
  ASSERT_TRUE(soundtest::WaitUntil([&] { return voice.Position() > 0; }, soundtest::kSoundWait));
  voice.Halt();
  const std::size_t halted = voice.Position();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(voice.Position(), halted);
  voice.Seek(clip_->Frames() * 10);
  EXPECT_EQ(voice.Position(), clip_->Frames());
  EXPECT_TRUE(voice.WaitWhilePlaying(0ms));  // a halted voice is not playing
}

TEST_F(Voice, DestroyingAPlayingVoiceIsSafe) {
  for (int i = 0; i < 20; ++i) {
    AudioVoice voice(clip_);
    voice.Play(0, clip_->Frames());
    std::this_thread::sleep_for(1ms);
  }
}

TEST(AudioFallbackChild, NoSoundDeviceStillPlaysInRealTime) {
  if (!std::getenv("STORYLOOM_FALLBACK_CHILD")) GTEST_SKIP() << "runs only as the child of AudioFallback";
  soundtest::WorkFolder folder;
  soundtest::WriteToneWav("tone.wav", 2.0);
  ASSERT_EQ(mciSendString("open tone.wav alias t", nullptr, 0, nullptr), 0u);
  EXPECT_EQ(AudioDriverName(), "dummy");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(mciSendString("play t", nullptr, 0, nullptr), 0u);
  // The sound moves on, and never faster than the clock (beyond one buffer).
  ASSERT_TRUE(soundtest::WaitUntil([] { return soundtest::StatusNumber("t", "position") >= 300; }, soundtest::kSoundWait));
  const long position = soundtest::StatusNumber("t", "position");  // read before the clock: see the device test
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  EXPECT_LE(position, elapsed.count() + 100);
}

TEST(AudioFallback, DummyDriverTakesOverWhenNoDeviceOpens) {
  EXPECT_EQ(soundtest::RunSelf("AudioFallbackChild.*", "STORYLOOM_FALLBACK_CHILD=1 SDL_AUDIODRIVER=no-such-driver"), 0);
}

}  // namespace
}  // namespace wdrt
