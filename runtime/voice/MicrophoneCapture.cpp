// Microphone capture through Qt Multimedia, for the recording library: runs on the capture's
// own thread with an event loop of its own until the capture is asked to end.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QEventLoop>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "runtime/os/VoiceCapture.h"

namespace wdrt {
namespace {

constexpr int kStopLookMs = 10;

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

void Capture(VoiceCapture& capture) {
  QEventLoop loop;
  const QAudioDevice device = QMediaDevices::defaultAudioInput();
  if (device.isNull()) {
    capture.Answer(VoiceCapture::Opened::NoMicrophone);
    return;
  }
  QAudioFormat format;
  format.setSampleRate(VoiceCapture::Rate());
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  if (!device.isFormatSupported(format)) {
    capture.Answer(VoiceCapture::Opened::Failed);
    return;
  }
  Sink sink(capture, format);
  QAudioSource source(device, format);
  source.start(&sink);
  if (source.error() != QAudio::NoError || source.state() == QAudio::StoppedState) {
    capture.Answer(VoiceCapture::Opened::Failed);
    return;
  }
  capture.Answer(VoiceCapture::Opened::Recording);
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (capture.StopWanted()) loop.quit();
  });
  look.start(kStopLookMs);
  loop.exec();
  source.stop();
}

}  // namespace
}  // namespace wdrt

extern "C" void wdrt_voice_capture(wdrt::VoiceCapture& capture) { wdrt::Capture(capture); }
