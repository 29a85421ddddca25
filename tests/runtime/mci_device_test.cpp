// The MCI device table and playback: aliases, file lookup whatever the case, damaged files,
// status answers that follow real time, play ranges and waits, and the journal lines.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "runtime/core/Journal.h"
#include "runtime/os/Mci.h"
#include "tests/pvmedia/SoundFiles.h"

namespace wdrt {
namespace {

using namespace std::chrono_literals;
using soundtest::Send;
using soundtest::StatusNumber;
using soundtest::WaitUntil;

class MciDevice : public ::testing::Test {
 protected:
  void SetUp() override { Send("close all"); }
  void TearDown() override { Send("close all"); }
  soundtest::WorkFolder folder_;
};

TEST_F(MciDevice, OpenPlayStatusStopClose) {
  soundtest::WriteToneWav("tone.wav", 3.0);
  ASSERT_EQ(Send("open mpegvideo!tone.wav alias snd").code, 0u);
  EXPECT_EQ(Send("status snd mode").text, "stopped");
  EXPECT_EQ(StatusNumber("snd", "length"), 3000);
  EXPECT_EQ(StatusNumber("snd", "position"), 0);

  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Send("play snd").code, 0u);
  // Play returns at once, long before the three seconds of sound.
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  EXPECT_EQ(Send("status snd mode").text, "playing");
  ASSERT_TRUE(WaitUntil([] { return StatusNumber("snd", "position") >= 300; }, soundtest::kSoundWait));
  // The position follows the clock: never ahead of it (beyond one audio buffer), and not
  // stuck. How far behind it may fall depends on how busy the machine is, so the lower bound
  // is only that it moved. The clock is read after the position, so that a pause of this
  // thread between the two cannot make the position look early.
  const long position = StatusNumber("snd", "position");
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  EXPECT_LE(position, elapsed.count() + 150);
  EXPECT_GE(position, 300);

  ASSERT_EQ(Send("stop snd").code, 0u);
  EXPECT_EQ(Send("status snd mode").text, "stopped");
  const long stoppedAt = StatusNumber("snd", "position");
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(StatusNumber("snd", "position"), stoppedAt);

  ASSERT_EQ(Send("close snd").code, 0u);
  EXPECT_EQ(Send("status snd mode").code, kMciErrInvalidDeviceName);
  EXPECT_EQ(Send("close snd").code, kMciErrInvalidDeviceName);
}

TEST_F(MciDevice, AliasIsOneNameWhateverItsCase) {
  soundtest::WriteToneWav("a.wav", 0.5);
  soundtest::WriteToneWav("b.wav", 0.5);
  ASSERT_EQ(Send("open mpegvideo!a.wav alias Mp3").code, 0u);
  EXPECT_EQ(Send("open mpegvideo!b.wav alias MP3").code, kMciErrDuplicateAlias);
  EXPECT_EQ(Send("open mpegvideo!b.wav alias Mp3").code, kMciErrDuplicateAlias);
  EXPECT_EQ(Send("status mp3 length").text, "500");
  // Without an alias the file name is the device's name.
  ASSERT_EQ(Send("open b.wav").code, 0u);
  EXPECT_EQ(Send("status B.WAV length").text, "500");
  EXPECT_EQ(Send("play nothing").code, kMciErrInvalidDeviceName);
}

TEST_F(MciDevice, FilesAreFoundWhateverTheCaseOfTheirNames) {
  soundtest::fs::copy_file(soundtest::KeptMp3(), "sPark2K.mp3");
  soundtest::fs::create_directory("Sounds");
  soundtest::WriteToneWav("Sounds/Bell.wav", 0.2);
  EXPECT_EQ(Send("open mpegvideo!spark2k.MP3 alias a").code, 0u);
  EXPECT_EQ(Send("open mpegvideo!sounds\\BELL.wav alias b").code, 0u);
  EXPECT_EQ(Send("open mpegvideo!missing.mp3 alias c").code, kMciErrFileNotFound);
  EXPECT_EQ(Send("status a length").text, "2000");
}

TEST_F(MciDevice, NamesWithBlanksOpenOnlyWhenQuoted) {
  soundtest::WriteToneWav("my sound.wav", 0.2);
  EXPECT_EQ(Send("open mpegvideo!my sound.wav alias a").code, kMciErrUnrecognizedKeyword);
  EXPECT_EQ(Send("open mpegvideo!\"my sound.wav\" alias a").code, 0u);
  EXPECT_EQ(Send("open \"My Sound.WAV\" type mpegvideo alias b").code, 0u);
}

TEST_F(MciDevice, DamagedFilesFailTheOpenCleanly) {
  const std::string mp3 = soundtest::ReadBytes(soundtest::KeptMp3());
  soundtest::WriteToneWav("whole.wav", 1.0);
  const std::string wav = soundtest::ReadBytes("whole.wav");
  const std::pair<const char*, std::string> files[] = {
      {"empty.mp3", ""},
      {"text.mp3", "This is a letter to grandma, not a sound.\n"},
      {"cut.mp3", mp3.substr(0, mp3.size() / 3)},
      {"header-only.mp3", mp3.substr(0, 500)},
      {"random.mp3", soundtest::RandomBytes(20000, 7)},
      {"random.wav", soundtest::RandomBytes(20000, 8)},
      {"cut.wav", wav.substr(0, wav.size() / 2)},
      {"header-only.wav", wav.substr(0, 44)},
  };
  for (const auto& [name, bytes] : files) {
    soundtest::WriteBytes(name, bytes);
    EXPECT_EQ(Send(std::string("open mpegvideo!") + name + " alias bad").code, kMciErrInvalidFile) << name;
    EXPECT_EQ(Send("status bad mode").code, kMciErrInvalidDeviceName) << name;
  }
  soundtest::fs::create_directory("folder.mp3");
  EXPECT_EQ(Send("open mpegvideo!folder.mp3 alias bad").code, kMciErrInvalidFile);
  // The whole files still play after all that.
  EXPECT_EQ(Send("open mpegvideo!whole.wav alias good").code, 0u);
}

TEST_F(MciDevice, PlayRangesSeekAndWait) {
  soundtest::WriteToneWav("tone.wav", 1.0);
  ASSERT_EQ(Send("open tone.wav alias t").code, 0u);
  EXPECT_EQ(Send("play t from 2000").code, kMciErrOutOfRange);
  EXPECT_EQ(Send("play t to 1001").code, kMciErrOutOfRange);

  auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Send("play t from 600 to 800 wait").code, 0u);
  auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_GE(waited, 180ms);
  EXPECT_LT(waited, 10s);  // ended with the range, not with the whole sound's wait bound
  EXPECT_EQ(StatusNumber("t", "position"), 800);
  EXPECT_EQ(Send("status t mode").text, "stopped");

  ASSERT_EQ(Send("seek t to 900").code, 0u);
  EXPECT_EQ(StatusNumber("t", "position"), 900);
  EXPECT_EQ(Send("seek t to 5000").code, kMciErrOutOfRange);
  ASSERT_EQ(Send("seek t to end").code, 0u);
  EXPECT_EQ(StatusNumber("t", "position"), 1000);
  // At its end a sound has nothing left to play until it is moved back.
  ASSERT_EQ(Send("play t").code, 0u);
  EXPECT_EQ(Send("status t mode").text, "stopped");
  ASSERT_EQ(Send("seek t to start").code, 0u);
  EXPECT_EQ(StatusNumber("t", "position"), 0);
}

TEST_F(MciDevice, PlayWaitEndsWhenAnotherThreadCloses) {
  soundtest::WriteToneWav("long.wav", 20.0);
  ASSERT_EQ(Send("open long.wav alias w").code, 0u);
  std::thread closer([] {
    WaitUntil([] { return soundtest::StatusNumber("w", "position") > 50; }, soundtest::kSoundWait);
    Send("close w");
  });
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Send("play w wait").code, 0u);
  closer.join();
  // The sound lasts 20 s: the wait ended with the close, well before.
  EXPECT_LT(std::chrono::steady_clock::now() - started, 15s);
}

TEST_F(MciDevice, PauseAndResumeGoOnFromThePausedPosition) {
  soundtest::WriteToneWav("tone.wav", 3.0);
  ASSERT_EQ(Send("open tone.wav alias p").code, 0u);
  ASSERT_EQ(Send("play p").code, 0u);
  ASSERT_TRUE(WaitUntil([] { return StatusNumber("p", "position") >= 100; }, soundtest::kSoundWait));
  ASSERT_EQ(Send("pause p").code, 0u);
  EXPECT_EQ(Send("status p mode").text, "paused");
  const long pausedAt = StatusNumber("p", "position");
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(StatusNumber("p", "position"), pausedAt);
  ASSERT_EQ(Send("resume p").code, 0u);
  EXPECT_EQ(Send("status p mode").text, "playing");
  EXPECT_TRUE(WaitUntil([&] { return StatusNumber("p", "position") > pausedAt + 50; }, soundtest::kSoundWait));
}

TEST_F(MciDevice, SoundStaysOpenAfterItsEnd) {
  soundtest::WriteToneWav("short.wav", 0.1);
  ASSERT_EQ(Send("open short.wav alias s").code, 0u);
  ASSERT_EQ(Send("play s").code, 0u);
  ASSERT_TRUE(WaitUntil([] { return soundtest::Send("status s mode").text == "stopped"; }, soundtest::kSoundWait));
  EXPECT_EQ(StatusNumber("s", "position"), 100);
  EXPECT_EQ(Send("open short.wav alias s").code, kMciErrDuplicateAlias);
}

TEST_F(MciDevice, AnswersLongerThanTheBufferAreRefused) {
  soundtest::WriteToneWav("tone.wav", 0.2);
  ASSERT_EQ(Send("open tone.wav alias t").code, 0u);
  char tiny[4] = "xyz";
  EXPECT_EQ(mciSendString("status t mode", tiny, sizeof tiny, nullptr), kMciErrParamOverflow);
  EXPECT_STREQ(tiny, "");
  EXPECT_EQ(mciSendString("status t mode", nullptr, 0, nullptr), 0u);
  EXPECT_EQ(mciSendString(nullptr, nullptr, 0, nullptr), kMciErrMissingCommandString);
  char answer[16] = "stale";
  EXPECT_EQ(mciSendString("stop t", answer, sizeof answer, nullptr), 0u);
  EXPECT_STREQ(answer, "");
}

TEST_F(MciDevice, EveryCommandIsJournalled) {
  ResetJournal();
  Send("play \"nothing\"");
  Send("bogus");
  const std::vector<std::string> lines = JournalLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("mci \"play \\\"nothing\\\"\" -> 263"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("mci \"bogus\" -> 261"), std::string::npos) << lines[1];
}

}  // namespace
}  // namespace wdrt
