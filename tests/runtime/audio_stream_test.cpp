// Sounds that play while they are decoded: the clip is ready to start at once, comes out the
// same as a whole decode, waits in silence when the audio thread catches up, and is not decoded
// further once nobody holds it; damaged MP3s are recognised without decoding them.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "runtime/os/AudioClip.h"
#include "runtime/os/AudioFileCheck.h"
#include "runtime/os/AudioOutput.h"
#include "runtime/os/AudioStream.h"
#include "tests/pvmedia/SoundFiles.h"

namespace wdrt {
namespace {

using namespace std::chrono_literals;

class AudioStream : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::optional<AudioFormat> opened = OpenAudioOutput();
    ASSERT_TRUE(opened);
    format_ = *opened;
  }
  soundtest::WorkFolder folder_;
  AudioFormat format_;
};

TEST_F(AudioStream, StartsBeforeTheDecodeEndsAndEndsAsAWholeDecode) {
  soundtest::WriteToneWav("long.wav", 120.0, 22050, 1);
  const AudioLoadResult streamed = OpenAudioStream("long.wav", format_);
  ASSERT_EQ(streamed.error, AudioLoadError::None);
  EXPECT_GT(streamed.clip->FramesReady(), 0u);
  EXPECT_LT(streamed.clip->FramesReady(), streamed.clip->Frames());
  const AudioLoadResult whole = LoadAudioClip("long.wav", format_);
  ASSERT_EQ(whole.error, AudioLoadError::None);
  ASSERT_EQ(streamed.clip->Frames(), whole.clip->Frames());
  ASSERT_TRUE(soundtest::WaitUntil([&] { return streamed.clip->FramesReady() == streamed.clip->Frames(); }, soundtest::kSoundWait));
  float worst = 0;
  std::size_t firstBad = 0;
  for (std::size_t frame = 0; frame < whole.clip->Frames(); frame += 1)
    for (int c = 0; c < format_.channels; ++c) {
      const float d = std::abs(streamed.clip->Frame(frame)[c] - whole.clip->Frame(frame)[c]);
      if (d > 1e-4f && firstBad == 0) firstBad = frame;
      worst = std::max(worst, d);
    }
  EXPECT_LT(worst, 1e-4f) << "first differing frame " << firstBad << " of " << whole.clip->Frames();
}

TEST_F(AudioStream, ASoundNobodyHoldsIsNotDecodedFurther) {
  soundtest::WriteToneWav("long.wav", 300.0, 44100, 2);
  std::weak_ptr<const AudioClip> dropped;
  {
    const AudioLoadResult streamed = OpenAudioStream("long.wav", format_);
    ASSERT_EQ(streamed.error, AudioLoadError::None);
    dropped = streamed.clip;
  }
  // The decoder holds the clip only while it writes a piece of it.
  EXPECT_TRUE(soundtest::WaitUntil([&] { return dropped.expired(); }, soundtest::kSoundWait));
  EXPECT_TRUE(soundtest::WaitUntil([] { return AudioStreamsDecoding() == 0; }, soundtest::kSoundWait));
}

TEST_F(AudioStream, AVoiceWaitsForFramesNotYetDecoded) {
  auto clip = std::make_shared<AudioClip>(format_, static_cast<std::size_t>(format_.rate / 10));
  AudioVoice voice(clip);
  voice.Play(0, clip->Frames());
  std::this_thread::sleep_for(150ms);  // longer than the whole clip
  EXPECT_TRUE(voice.Playing());
  EXPECT_EQ(voice.Position(), 0u);
  clip->Publish(clip->Frames() / 2);
  ASSERT_TRUE(soundtest::WaitUntil([&] { return voice.Position() == clip->Frames() / 2; }, soundtest::kSoundWait));
  EXPECT_TRUE(voice.Playing());
  clip->Publish(clip->Frames());
  EXPECT_TRUE(voice.WaitWhilePlaying(soundtest::kSoundWait));
  EXPECT_EQ(voice.Position(), clip->Frames());
}

TEST(Mp3Frames, WholeFilesPassCutOrDamagedOnesFail) {
  const std::string mp3 = soundtest::ReadBytes(soundtest::KeptMp3());
  ASSERT_GT(mp3.size(), 4000u);
  std::string id3 = std::string("ID3\x03\x00\x00\x00\x00\x00\x0A", 10) + std::string(10, '\0');
  std::string v1(128, '\0');
  v1.replace(0, 3, "TAG");
  const struct {
    const char* name;
    std::string bytes;
    bool complete;
  } cases[] = {
      {"whole", mp3, true},
      {"behind an ID3v2 tag", id3 + mp3, true},
      {"before an ID3v1 tag", mp3 + v1, true},
      {"cut in its last frame", mp3.substr(0, mp3.size() - 10), false},
      {"cut to a third", mp3.substr(0, mp3.size() / 3), false},
      {"header only", mp3.substr(0, 500), false},
      {"junk after the frames", mp3 + std::string(300, 'x'), false},
      {"empty", "", false},
      {"random", soundtest::RandomBytes(20000, 9), false},
  };
  for (const auto& c : cases) EXPECT_EQ(Mp3FramesComplete(c.bytes), c.complete) << c.name;
}

}  // namespace
}  // namespace wdrt
