// A voice recorded from the desktop's default microphone through Qt Multimedia. The capture
// runs on a thread of its own with its own event loop (never the GUI thread's); the procedure
// thread that records calls Start, Level and Stop, and the destructor joins the thread.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace wdrt {

class VoiceCapture {
 public:
  enum class Opened { Recording, NoMicrophone, Failed };

  VoiceCapture() = default;
  VoiceCapture(const VoiceCapture&) = delete;
  VoiceCapture& operator=(const VoiceCapture&) = delete;
  ~VoiceCapture() { Stop(); }

  // Opens the default microphone and starts keeping what it hears. Waits until it is open, or
  // up to a few seconds for a sound server that does not answer.
  Opened Start();
  bool Recording() const { return thread_.joinable(); }
  // How loud the last few milliseconds were, 0 (silence) to 100 (full scale), on a dB scale.
  int Level() const { return level_.load(); }
  // Ends the capture: the samples heard since Start, mono, -1 … 1, at Rate().
  std::vector<float> Stop();
  static constexpr int Rate() { return 44100; }

  // Capture side (the capture thread's sink): samples as they arrive.
  void Heard(const float* samples, std::size_t count);

 private:
  void Run();

  std::thread thread_;
  std::mutex mutex_;
  std::vector<float> samples_;
  std::atomic<int> level_{0};
  std::atomic<bool> stop_{false};
  std::atomic<int> opened_{-1};  // an Opened value once the microphone answered
};

}  // namespace wdrt
