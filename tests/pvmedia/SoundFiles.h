// Helpers for the sound tests: a private working folder, sound files written on the spot
// (WAV tones, damaged copies of the kept MP3) and MCI calls that hand back code and answer.
// Used by one test thread at a time unless a test says otherwise.
#pragma once

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "runtime/os/Mci.h"

namespace soundtest {

namespace fs = std::filesystem;

// The kept two-second 440 Hz MP3 (22050 Hz mono, 64 kbit/s, with its length header).
// From the source folder: __FILE__ is relative when the build shares a compiler cache.
inline fs::path KeptMp3() { return fs::path(STORYLOOM_SOURCE_DIR) / "tests" / "pvmedia" / "data" / "tone2s.mp3"; }

// Makes a fresh folder the current folder for the test's lifetime.
class WorkFolder {
 public:
  WorkFolder() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "storyloom-sound-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    fs::current_path(folder_);
  }
  ~WorkFolder() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(folder_, ec);
  }
  const fs::path& Path() const { return folder_; }

 private:
  fs::path previous_;
  fs::path folder_;
};

// Writes a 16-bit PCM WAV holding a sine tone.
inline void WriteToneWav(const fs::path& path, double seconds, int rate = 8000, int channels = 1,
                         double frequency = 440.0) {
  const std::uint32_t frames = static_cast<std::uint32_t>(seconds * rate);
  const std::uint32_t dataBytes = frames * static_cast<std::uint32_t>(channels) * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(static_cast<std::uint16_t>(channels));
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate * channels * 2));
  u16(static_cast<std::uint16_t>(channels * 2));
  u16(16);
  out.write("data", 4);
  u32(dataBytes);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const auto sample = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * frequency * i / rate));
    for (int c = 0; c < channels; ++c) u16(static_cast<std::uint16_t>(sample));
  }
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

struct Reply {
  unsigned long code;
  std::string text;
};

inline Reply Send(const std::string& command) {
  char answer[128] = "junk";
  const unsigned long code = wdrt::mciSendString(command.c_str(), answer, sizeof answer, nullptr);
  return {code, answer};
}

inline long StatusNumber(const std::string& alias, const std::string& item) {
  const Reply reply = Send("status " + alias + " " + item);
  return reply.code == 0 ? std::stol(reply.text) : -1;
}

// How long a test waits for something the sound thread does. Generous on purpose: a loaded
// machine or a sanitizer build may starve the audio thread for seconds; a passing run never
// waits for it.
inline constexpr std::chrono::seconds kSoundWait{30};

// Polls `condition` until it holds or `timeout` passes; returns whether it held.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace soundtest

namespace soundtest {

// Runs this test program again with only `filter` selected and `environment` ("NAME=value"
// words) added; returns its exit status. Child tests skip themselves unless their variable is set.
inline int RunSelf(const std::string& filter, const std::string& environment) {
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string command =
      "env " + environment + " timeout 60 '" + self + "' --gtest_filter='" + filter + "' > /dev/null 2>&1";
  return std::system(command.c_str());
}

}  // namespace soundtest
