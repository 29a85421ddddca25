// PvMediaAPI: the commands it sends, the result the last command decides, the one program-wide
// "Mp3" device that every instance shares, and the debug lines of its commands.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "pvmedia/PvMediaAPI.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

using namespace std::chrono_literals;
using soundtest::Send;
using soundtest::StatusNumber;
using soundtest::WaitUntil;
using Lines = std::vector<std::string>;

class MediaApi : public pvtest::MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    soundtest::WriteToneWav("first.wav", 3.0);
    soundtest::WriteToneWav("second.wav", 1.0);
  }
};

TEST_F(MediaApi, StopWithNothingOpenReturnsZeroAndChangesNothing) {
  PvMediaAPI media{};
  EXPECT_EQ(media.Stop(), 0);
  EXPECT_EQ(MciLines(), (Lines{R"(mci "stop Mp3" -> 263)", R"(mci "close Mp3" -> 263)"}));
  EXPECT_EQ(Send("status Mp3 mode").code, 263u);
}

TEST_F(MediaApi, PlaySendsOpenThenPlayAndReturnsAtOnce) {
  PvMediaAPI media{};
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(media.Play("first.wav   "), 1);  // trailing blanks are not part of the name
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);  // far less than the 3 s sound
  EXPECT_EQ(MciLines(), (Lines{R"(mci "open mpegvideo!first.wav alias Mp3" -> 0)", R"(mci "play Mp3" -> 0)"}));
  EXPECT_EQ(Send("status Mp3 mode").text, "playing");
}

TEST_F(MediaApi, SecondPlayWithoutStopKeepsTheFirstSound) {
  PvMediaAPI first{}, second{};
  ASSERT_EQ(first.Play("first.wav"), 1);
  // The open fails (alias in use) but "play Mp3" succeeds on the sound already open.
  EXPECT_EQ(second.Play("second.wav"), 1);
  const Lines lines = MciLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], R"(mci "open mpegvideo!second.wav alias Mp3" -> 289)");
  EXPECT_EQ(lines[3], R"(mci "play Mp3" -> 0)");
  EXPECT_EQ(StatusNumber("Mp3", "length"), 3000);  // still the first file
  EXPECT_EQ(Send("status Mp3 mode").text, "playing");
}

TEST_F(MediaApi, StopThenPlayPlaysTheNewFileInRealTime) {
  PvMediaAPI media{};
  ASSERT_EQ(media.Play("first.wav"), 1);
  EXPECT_EQ(media.Stop(), 1);
  EXPECT_EQ(Send("status Mp3 mode").code, 263u);  // stopped and closed
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(media.Play("SECOND.wav"), 1);  // found whatever the case
  EXPECT_EQ(StatusNumber("Mp3", "length"), 1000);
  ASSERT_TRUE(WaitUntil([] { return StatusNumber("Mp3", "position") >= 250; }, soundtest::kSoundWait));
  const long position = StatusNumber("Mp3", "position");
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  // Real time: never ahead of the clock beyond one buffer (how far behind depends on the load).
  EXPECT_LE(position, elapsed.count() + 150);
}

TEST_F(MediaApi, StopFromAnyInstanceEndsTheSoundOfAnother) {
  PvMediaAPI page1{}, page2{};
  ASSERT_EQ(page1.Play("first.wav"), 1);
  EXPECT_EQ(page2.Stop(), 1);
  EXPECT_EQ(Send("status Mp3 mode").code, 263u);
}

TEST_F(MediaApi, FinishedSoundStaysOpenUntilStop) {
  soundtest::WriteToneWav("blip.wav", 0.05);
  PvMediaAPI media{};
  ASSERT_EQ(media.Play("blip.wav"), 1);
  ASSERT_TRUE(WaitUntil([] { return Send("status Mp3 mode").text == "stopped"; }, soundtest::kSoundWait));
  EXPECT_EQ(media.Stop(), 1);
}

TEST_F(MediaApi, PlayFailuresGiveZero) {
  soundtest::WriteBytes("broken.mp3", "not a sound at all");
  struct Case {
    const char* name;
    const char* openLine;
  };
  const Case cases[] = {
      {"", R"(mci "open mpegvideo! alias Mp3" -> 304)"},
      {"    ", R"(mci "open mpegvideo! alias Mp3" -> 304)"},
      {"missing.mp3", R"(mci "open mpegvideo!missing.mp3 alias Mp3" -> 275)"},
      {"broken.mp3", R"(mci "open mpegvideo!broken.mp3 alias Mp3" -> 296)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wdrt::ResetJournal();
    PvMediaAPI media{};
    EXPECT_EQ(media.Play(c.name), 0);
    EXPECT_EQ(MciLines(), (Lines{c.openLine, R"(mci "play Mp3" -> 263)"}));
  }
}

TEST_F(MediaApi, NameWithBlanksIsQuotedSoItPlays) {
  soundtest::WriteToneWav("big bell.wav", 0.5);
  PvMediaAPI media{};
  EXPECT_EQ(media.Play("big bell.wav"), 1);
  EXPECT_EQ(MciLines().front(), R"(mci "open mpegvideo!\"big bell.wav\" alias Mp3" -> 0)");
  EXPECT_EQ(StatusNumber("Mp3", "length"), 500);
}

TEST_F(MediaApi, LongNamesAreCutWithTheCommandAt127Characters) {
  const std::string name(106, 'n');
  PvMediaAPI media{};
  EXPECT_EQ(media.Play(name + ".mp3"), 0);
  const Lines lines = MciLines();
  ASSERT_EQ(lines.size(), 2u);
  const std::string sent = "open mpegvideo!" + name + ".mp3 a";
  ASSERT_EQ(sent.size(), 127u);
  EXPECT_EQ(lines[0], "mci \"" + sent + "\" -> 259");  // the alias clause was cut to " a"
}

TEST_F(MediaApi, MediaApiDispatchesByAction) {
  PvMediaAPI media{};
  for (std::uint8_t action : {0, 3, 4, 255}) {
    EXPECT_EQ(media.MediaAPI("first.wav", action), 0) << int(action);
  }
  EXPECT_TRUE(MciLines().empty());
  EXPECT_EQ(media.MediaAPI("first.wav", 1), 1);
  EXPECT_EQ(media.MediaAPI("no such file, ignored", 2), 1);
  EXPECT_EQ(MciLines().size(), 4u);
  EXPECT_EQ(Send("status Mp3 mode").code, 263u);
}

TEST_F(MediaApi, MediaApiHonoursOverrides) {
  struct Counting : PvMediaAPI {
    int plays = 0, stops = 0;
    std::uint8_t Play(std::string_view) override { ++plays; return 7; }
    std::uint8_t Stop() override { ++stops; return 9; }
  } media{};
  EXPECT_EQ(media.MediaAPI("x", 1), 7);
  EXPECT_EQ(media.MediaAPI("x", 2), 9);
  EXPECT_EQ(media.plays, 1);
  EXPECT_EQ(media.stops, 1);
  EXPECT_TRUE(MciLines().empty());
}

TEST_F(MediaApi, NoDebugLinesWhileDebuggingIsOff) {
  PvMediaAPI media{};
  media.Play("missing.mp3");
  media.Stop();
  media.Play("first.wav");
  media.Stop();
  EXPECT_EQ(DebugText(), "");
}

TEST_F(MediaApi, EveryCommandGivesOneDebugLineWhenDebugging) {
  PvMediaAPI media{};
  media.DEBUGGING = 1;
  EXPECT_EQ(media.Play("missing.mp3"), 0);
  EXPECT_EQ(media.Stop(), 0);
  EXPECT_EQ(DebugLines(), (Lines{
                              "PV [?] : MedApi Method Error: The file cannot be found. Check the name and the folder.\r",
                              "PV [?] : MedApi Method Error: The device or alias is not open. Open it before sending it commands.\r",
                              "PV [?] : MedApi Method Error: The device or alias is not open. Open it before sending it commands.\r",
                              "PV [?] : MedApi Method Error: The device or alias is not open. Open it before sending it commands.\r",
                          }));
}

TEST_F(MediaApi, SuccessTextIsWrittenTooWithTheInstanceNumber) {
  PvMediaAPI media{};
  media.DEBUGGING = 2;
  media.CLASSINSTANCENUMBER = 42;
  EXPECT_EQ(media.Play("first.wav"), 1);
  EXPECT_EQ(DebugLines(), (Lines(2, "PV [42] : MedApi Method Error: The specified command was carried out.\r")));
}

}  // namespace
