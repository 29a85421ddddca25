#include "runtime/os/VoiceCapture.h"

#include "runtime/os/VoiceLibrary.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace wdrt {
namespace {

constexpr auto kOpenWait = std::chrono::seconds(5);
constexpr int kStopLookMs = 10;
constexpr double kMeterFloorDb = -60.0;

}  // namespace

VoiceCapture::Opened VoiceCapture::Start() {
  if (Recording()) return Opened::Recording;
  {
    std::lock_guard lock(mutex_);
    samples_.clear();
  }
  stop_ = false;
  opened_ = -1;
  level_ = 0;
  thread_ = std::thread([this] { Run(); });
  const auto deadline = std::chrono::steady_clock::now() + kOpenWait;
  while (opened_.load() < 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(kStopLookMs));
  const int opened = opened_.load();
  if (opened == static_cast<int>(Opened::Recording)) return Opened::Recording;
  Stop();
  return opened < 0 ? Opened::Failed : static_cast<Opened>(opened);
}

std::vector<float> VoiceCapture::Stop() {
  if (!thread_.joinable()) return {};
  stop_ = true;
  thread_.join();
  level_ = 0;
  std::lock_guard lock(mutex_);
  return std::move(samples_);
}

void VoiceCapture::Heard(const float* samples, std::size_t count) {
  if (count == 0) return;
  float peak = 0;
  for (std::size_t i = 0; i < count; ++i) peak = std::max(peak, std::fabs(samples[i]));
  const double db = 20.0 * std::log10(std::max(peak, 1e-6f));
  level_ = static_cast<int>(std::lround(std::clamp((db - kMeterFloorDb) / -kMeterFloorDb, 0.0, 1.0) * 100));
  std::lock_guard lock(mutex_);
  samples_.insert(samples_.end(), samples, samples + count);
}

void VoiceCapture::Run() {
  const voice::Library& library = voice::Load();
  if (!library.capture) {
    opened_ = static_cast<int>(Opened::Failed);
    return;
  }
  library.capture(*this);
}

}  // namespace wdrt
