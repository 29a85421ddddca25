// Figures for playback: the time from "play" to the first decoded samples handed to the audio
// device (median of 50), the time to open (decode) the kept MP3, and the CPU used while it plays.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

#include "pvmedia/PvMediaAPI.h"
#include "runtime/os/AudioOutput.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

using namespace std::chrono_literals;

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class MediaBenchmark : public pvtest::MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    soundtest::fs::copy_file(soundtest::KeptMp3(), "narration.mp3");
  }
};

TEST_F(MediaBenchmark, StartLatencyMedianOf50) {
  PvMediaAPI media{};
  std::vector<double> latencies, opens;
  for (int i = 0; i < 50; ++i) {
    media.Stop();
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(soundtest::Send("open mpegvideo!narration.mp3 alias Mp3").code, 0u);
    opens.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
    ASSERT_EQ(soundtest::Send("play Mp3").code, 0u);
    // The first samples have reached the device once the position moves.
    ASSERT_TRUE(soundtest::WaitUntil([] { return soundtest::StatusNumber("Mp3", "position") > 0; }, soundtest::kSoundWait));
    latencies.push_back(wdrt::LastAudioStartLatency().value_or(1e9));
  }
  media.Stop();
  const double median = Median(latencies);
  std::printf("[ FIGURE   ] driver %s: play to first samples median %.2f ms (min %.2f, max %.2f); "
              "open of a 2 s MP3 median %.2f ms\n",
              wdrt::AudioDriverName().c_str(), median, *std::min_element(latencies.begin(), latencies.end()),
              *std::max_element(latencies.begin(), latencies.end()), Median(opens));
  RecordProperty("start_latency_median_ms", std::to_string(median));
  // The goal is 20 ms; the bound only catches a start that waits for something, and holds on
  // a loaded machine or a sanitizer build.
  EXPECT_LT(median, 200.0);
}

TEST_F(MediaBenchmark, CpuWhileOneMp3Plays) {
  PvMediaAPI media{};
  ASSERT_EQ(media.Play("narration.mp3"), 1);
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(1500ms);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  EXPECT_EQ(soundtest::Send("status Mp3 mode").text, "playing");
  media.Stop();
  std::printf("[ FIGURE   ] driver %s: CPU while one MP3 plays %.2f %% of one core\n",
              wdrt::AudioDriverName().c_str(), 100.0 * cpu / wall);
  RecordProperty("cpu_percent_while_playing", std::to_string(100.0 * cpu / wall));
  // The goal is 10 %; the bound only catches a busy loop (a whole core), and holds on a loaded
  // machine or a sanitizer build.
  EXPECT_LT(cpu / wall, 0.60);
}

}  // namespace
