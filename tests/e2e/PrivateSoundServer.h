// A private PulseAudio server for one test: its own runtime folder (the program under test
// finds it through the same XDG_RUNTIME_DIR), a null sink to play into, and a pipe source as
// the microphone, fed with silence at the speed of speech until the test gives it something
// to say. Stopped (by its process id) and joined when destroyed.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace e2e {

class PrivateSoundServer {
 public:
  static constexpr int kRate = 16000;  // the microphone's samples, mono 16 bit

  // Starts the server for `runtimeDir`; Problem() says why when it could not.
  explicit PrivateSoundServer(const std::string& runtimeDir);
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;
  ~PrivateSoundServer();

  const std::string& Problem() const { return problem_; }

  // Queues `samples` (mono, -1 … 1, at kRate) to be heard after what is queued already.
  void Say(const std::vector<float>& samples);
  // True once everything queued has gone into the microphone.
  bool Said() const;

 private:
  void Feed();

  std::string problem_;
  pid_t server_ = -1;
  int fifo_ = -1;
  std::thread feeder_;
  std::atomic<bool> ending_{false};
  mutable std::mutex mutex_;
  std::vector<std::int16_t> queued_;
};

}  // namespace e2e
