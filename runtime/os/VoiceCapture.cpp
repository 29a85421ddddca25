#include "runtime/os/VoiceCapture.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QEventLoop>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace wdrt {
namespace {

constexpr auto kOpenWait = std::chrono::seconds(5);
constexpr int kStopLookMs = 10;
constexpr double kMeterFloorDb = -60.0;

// Where the audio source writes: each block becomes mono float samples for the capture.
class Sink : public QIODevice {
 public:
  Sink(VoiceCapture& capture, QAudioFormat format) : capture_(capture), format_(format) { open(QIODevice::WriteOnly); }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    const int channels = std::max(1, format_.channelCount());
    const int bytes = std::max(1, format_.bytesPerSample());
    const qint64 frames = length / (bytes * channels);
    mono_.resize(static_cast<std::size_t>(frames));
    for (qint64 f = 0; f < frames; ++f) {
      float sum = 0;
      for (int c = 0; c < channels; ++c)
        sum += format_.normalizedSampleValue(data + (f * channels + c) * bytes);
      mono_[static_cast<std::size_t>(f)] = sum / static_cast<float>(channels);
    }
    capture_.Heard(mono_.data(), mono_.size());
    return length;
  }

 private:
  VoiceCapture& capture_;
  QAudioFormat format_;
  std::vector<float> mono_;
};

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
  QEventLoop loop;
  const QAudioDevice device = QMediaDevices::defaultAudioInput();
  if (device.isNull()) {
    opened_ = static_cast<int>(Opened::NoMicrophone);
    return;
  }
  QAudioFormat format;
  format.setSampleRate(Rate());
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) {
    opened_ = static_cast<int>(Opened::Failed);
    return;
  }
  Sink sink(*this, format);
  QAudioSource source(device, format);
  source.start(&sink);
  if (source.error() != QAudio::NoError || source.state() == QAudio::StoppedState) {
    opened_ = static_cast<int>(Opened::Failed);
    return;
  }
  opened_ = static_cast<int>(Opened::Recording);
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (stop_) loop.quit();
  });
  look.start(kStopLookMs);
  loop.exec();
  source.stop();
}

}  // namespace wdrt
