// Pages on several threads share the one "Mp3" device: heavy Stop/Play traffic from two
// threads must leave it consistent (and, under ThreadSanitizer, free of data races).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "pvmedia/PvMediaAPI.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

using namespace std::chrono_literals;

class MediaThreads : public pvtest::MediaTest {};

TEST_F(MediaThreads, TwoThreadsStoppingAndPlayingLeaveTheDeviceConsistent) {
  soundtest::WriteToneWav("left.wav", 0.3, 8000);
  soundtest::WriteToneWav("right.wav", 0.2, 8000);
  constexpr int kRounds = 1000;
  std::atomic<int> oddResults{0};
  auto page = [&](const char* file) {
    PvMediaAPI media{};
    for (int i = 0; i < kRounds; ++i) {
      const std::uint8_t stopped = media.Stop();
      const std::uint8_t played = media.Play(file);
      if (stopped > 1 || played > 1) ++oddResults;
    }
  };
  std::thread left(page, "left.wav");
  std::thread right(page, "right.wav");
  left.join();
  right.join();
  EXPECT_EQ(oddResults.load(), 0);
  // Four commands per round, each journalled once.
  EXPECT_EQ(MciLines().size(), static_cast<std::size_t>(2 * kRounds * 4));

  // Whatever the interleaving, at most one sound is open, and it is one of the two files.
  const soundtest::Reply length = soundtest::Send("status Mp3 length");
  if (length.code == 0) {
    EXPECT_TRUE(length.text == "300" || length.text == "200") << length.text;
  }

  PvMediaAPI media{};
  media.Stop();
  EXPECT_EQ(soundtest::Send("status Mp3 mode").code, 263u);
  ASSERT_EQ(media.Play("left.wav"), 1);
  EXPECT_TRUE(soundtest::WaitUntil([] { return soundtest::StatusNumber("Mp3", "position") > 0; }, soundtest::kSoundWait));
  EXPECT_EQ(media.Stop(), 1);
}

TEST_F(MediaThreads, StatusWhilePlayingFromOtherThreadsIsSafe) {
  soundtest::WriteToneWav("tone.wav", 0.5, 8000);
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    while (!done) soundtest::Send("status Mp3 position");
  });
  PvMediaAPI media{};
  for (int i = 0; i < 50; ++i) {
    media.Stop();
    media.Play("tone.wav");
    std::this_thread::sleep_for(2ms);
  }
  done = true;
  watcher.join();
  EXPECT_EQ(media.Stop(), 1);
}

}  // namespace
