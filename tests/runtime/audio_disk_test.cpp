// Proves what was heard: SDL's disk driver records everything handed to the audio device, in
// real time. A child run of this program plays into the recording; the parent reads it back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "runtime/os/AudioOutput.h"
#include "runtime/os/Beep.h"
#include "runtime/os/Mci.h"
#include "tests/pvmedia/SoundFiles.h"

namespace wdrt {
namespace {

using namespace std::chrono_literals;

bool IsChild() { return std::getenv("STORYLOOM_DISK_CHILD") != nullptr; }

// What the recording holds: where sound starts and ends, and how often the left channel
// crosses zero in between (twice per period of the tone).
struct Heard {
  double seconds = 0;
  double frequency = 0;
};

Heard Analyse(const std::string& bytes) {
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  constexpr double kRate = 48000;
  long first = -1, last = -1;
  for (std::size_t frame = 0; frame * 2 < samples.size(); ++frame) {
    if (std::fabs(samples[frame * 2]) > 0.02f) {
      if (first < 0) first = static_cast<long>(frame);
      last = static_cast<long>(frame);
    }
  }
  Heard heard;
  if (first < 0) return heard;
  heard.seconds = (last - first + 1) / kRate;
  int crossings = 0;
  for (long frame = first + 1; frame <= last; ++frame) {
    if ((samples[frame * 2 - 2] < 0) != (samples[frame * 2] < 0)) ++crossings;
  }
  heard.frequency = crossings / 2.0 / heard.seconds;
  return heard;
}

// In a child: waits until the recording holds the end of what was played, that is a tenth of a
// second of silence after the last sound. The disk driver writes in real time, so on a busy
// machine the last buffers reach the file late.
void WaitUntilTheSoundEndIsRecorded() {
  const char* file = std::getenv("SDL_DISKAUDIOFILE");
  ASSERT_NE(file, nullptr);
  constexpr long kQuietFrames = 4800;
  const bool recorded = soundtest::WaitUntil([&] {
    const std::string bytes = soundtest::ReadBytes(file);
    const std::size_t frames = bytes.size() / (2 * sizeof(float));
    long last = -1;
    for (std::size_t frame = 0; frame < frames; ++frame) {
      float left;
      std::memcpy(&left, bytes.data() + frame * 2 * sizeof(float), sizeof left);
      if (std::fabs(left) > 0.02f) last = static_cast<long>(frame);
    }
    return last >= 0 && static_cast<long>(frames) - last > kQuietFrames;
  }, soundtest::kSoundWait);
  EXPECT_TRUE(recorded) << "the recording never held the end of the sound";
}

TEST(AudioDiskChild, PlaysWholeToneAndWaits) {
  if (!IsChild()) GTEST_SKIP() << "runs only as the child of AudioDisk tests";
  soundtest::WriteToneWav("tone.wav", 0.5, 8000, 1, 440);
  ASSERT_EQ(AudioDriverName(), "");
  ASSERT_EQ(mciSendString("open mpegvideo!tone.wav alias t", nullptr, 0, nullptr), 0u);
  ASSERT_EQ(AudioDriverName(), "disk");
  ASSERT_EQ(mciSendString("play t wait", nullptr, 0, nullptr), 0u);
  WaitUntilTheSoundEndIsRecorded();
}

TEST(AudioDiskChild, StopCutsTheSoundOff) {
  if (!IsChild()) GTEST_SKIP() << "runs only as the child of AudioDisk tests";
  soundtest::WriteToneWav("tone.wav", 10.0, 8000, 1, 440);
  ASSERT_EQ(mciSendString("open tone.wav alias t", nullptr, 0, nullptr), 0u);
  ASSERT_EQ(mciSendString("play t", nullptr, 0, nullptr), 0u);
  ASSERT_TRUE(soundtest::WaitUntil([] { return soundtest::StatusNumber("t", "position") >= 300; }, soundtest::kSoundWait));
  ASSERT_EQ(mciSendString("stop t", nullptr, 0, nullptr), 0u);
  WaitUntilTheSoundEndIsRecorded();
}

class AudioDisk : public ::testing::Test {
 protected:
  Heard RecordChild(const std::string& test) {
    const std::string recording = (folder_.Path() / "heard.raw").string();
    const int status = soundtest::RunSelf(
        "AudioDiskChild." + test, "STORYLOOM_DISK_CHILD=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=" + recording);
    EXPECT_EQ(status, 0) << test;
    return Analyse(soundtest::ReadBytes(recording));
  }
  soundtest::WorkFolder folder_;
};

TEST_F(AudioDisk, WholeSoundIsHeardAtItsPitch) {
  const Heard heard = RecordChild("PlaysWholeToneAndWaits");
  EXPECT_NEAR(heard.seconds, 0.5, 0.02);
  EXPECT_NEAR(heard.frequency, 440, 10);
}

TEST(AudioDiskChild, BeepSounds) {
  if (!IsChild()) GTEST_SKIP() << "runs only as the child of AudioDisk tests";
  ASSERT_TRUE(Beep());
  WaitUntilTheSoundEndIsRecorded();
}

TEST_F(AudioDisk, BeepIsAShortToneOnTheSoundDevice) {
  const Heard heard = RecordChild("BeepSounds");
  EXPECT_NEAR(heard.seconds, 0.15, 0.03);
  EXPECT_NEAR(heard.frequency, 880, 20);
}

TEST_F(AudioDisk, StoppedSoundIsCutOff) {
  // Ten seconds of tone, stopped once 0.3 s had played: what was heard is far shorter than
  // the sound, however late the stop came on a busy machine.
  const Heard heard = RecordChild("StopCutsTheSoundOff");
  EXPECT_GT(heard.seconds, 0.25);
  EXPECT_LT(heard.seconds, 5.0);
  EXPECT_NEAR(heard.frequency, 440, 10);
}

}  // namespace
}  // namespace wdrt
