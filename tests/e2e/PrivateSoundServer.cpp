#include "PrivateSoundServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace e2e {
namespace {

constexpr auto kChunk = std::chrono::milliseconds(20);
constexpr std::size_t kChunkSamples = PrivateSoundServer::kRate / 50;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string paths = path ? path : "/usr/bin:/bin";
  for (std::size_t from = 0; from <= paths.size();) {
    const std::size_t colon = std::min(paths.find(':', from), paths.size());
    if (::access((paths.substr(from, colon - from) + "/" + program).c_str(), X_OK) == 0) return true;
    from = colon + 1;
  }
  return false;
}

}  // namespace

PrivateSoundServer::PrivateSoundServer(const std::string& runtimeDir) {
  if (!OnPath("pulseaudio")) {
    problem_ = "pulseaudio is not installed";
    return;
  }
  namespace fs = std::filesystem;
  fs::create_directories(runtimeDir);
  fs::permissions(runtimeDir, fs::perms::owner_all);
  const std::string home = runtimeDir + "/pulse-home";
  fs::create_directories(home);
  const std::string fifo = runtimeDir + "/microphone.fifo";
  const std::string log = runtimeDir + "/pulseaudio.log";
  server_ = ::fork();
  if (server_ == 0) {
    ::setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    ::setenv("HOME", home.c_str(), 1);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    const std::string source = "module-pipe-source source_name=microphone file=" + fifo +
                               " format=s16le rate=" + std::to_string(kRate) + " channels=1";
    ::execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "-L", "module-native-protocol-unix auth-anonymous=1", "-L", "module-null-sink sink_name=speakers",
             "-L", source.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // The module makes the FIFO and the server its socket; both are there once it is ready.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline &&
         !(fs::exists(fifo) && fs::exists(runtimeDir + "/pulse/native"))) {
    int status = 0;
    if (::waitpid(server_, &status, WNOHANG) == server_) {
      server_ = -1;
      problem_ = "pulseaudio ended at start (see " + log + ")";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  fifo_ = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  if (fifo_ < 0) {
    problem_ = "pulseaudio made no microphone (see " + log + ")";
    return;
  }
  feeder_ = std::thread([this] { Feed(); });
}

PrivateSoundServer::~PrivateSoundServer() {
  ending_ = true;
  if (feeder_.joinable()) feeder_.join();
  if (fifo_ >= 0) ::close(fifo_);
  if (server_ > 0) {
    ::kill(server_, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(server_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(server_, SIGKILL);
        ::waitpid(server_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
}

void PrivateSoundServer::Say(const std::vector<float>& samples) {
  std::lock_guard lock(mutex_);
  for (float s : samples) queued_.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
}

bool PrivateSoundServer::Said() const {
  std::lock_guard lock(mutex_);
  return queued_.empty();
}

// One chunk every 20 ms by the clock: what is queued, else silence.
void PrivateSoundServer::Feed() {
  auto next = std::chrono::steady_clock::now();
  std::vector<std::int16_t> chunk(kChunkSamples);
  while (!ending_) {
    {
      std::lock_guard lock(mutex_);
      const std::size_t n = std::min(kChunkSamples, queued_.size());
      std::fill(std::copy(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(n), chunk.begin()),
                chunk.end(), std::int16_t{0});
      queued_.erase(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(n));
    }
    // A chunk is written whole or not at all (below PIPE_BUF); a full pipe (a server that is
    // not listening) drops it, as a microphone nobody records from.
    if (::write(fifo_, chunk.data(), chunk.size() * sizeof(std::int16_t)) < 0 && errno != EAGAIN) return;
    next += kChunk;
    std::this_thread::sleep_until(next);
  }
}

}  // namespace e2e
