// A voice recorded from the desktop's default microphone through Qt Multimedia, in the
// recording library (loaded on the first recording, so that no program pays for it at start).
// The capture runs on a thread of its own with its own event loop (never the GUI thread's); the
// procedure thread that records calls Start, Level and Stop, and the destructor joins the thread.
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

  // Capture side (the recording library's loop, on the capture thread): whether the microphone
  // opened, the samples as they arrive, and whether the capture is to end.
  void Answer(Opened opened) { opened_ = static_cast<int>(opened); }
  void Heard(const float* samples, std::size_t count);
  bool StopWanted() const { return stop_.load(); }

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
