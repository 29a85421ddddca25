// The media player behind "MediaPlayer.MediaPlayer.1": Qt Multimedia's player with a video
// widget, offering the player's properties (volume in hundredths of a decibel, rate, play
// count, display size, positions in seconds). GUI thread only.
#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPointer>
#include <QVideoWidget>

#include "runtime/os/OleControl.h"

namespace pvhosted {

class MediaComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  void ApplyVolume();

  QPointer<QVideoWidget> video_;
  QPointer<QMediaPlayer> player_;
  QPointer<QAudioOutput> audio_;
  QString file_;
  bool autoStart_ = true;
  bool autoRewind_ = true;
  bool autoSize_ = true;
  bool showControls_ = true;
  bool mute_ = false;
  int volume_ = 0;         // hundredths of a decibel, 0 loudest, -10000 silent
  int displaySize_ = 0;
  int allowDisplaySize_ = -1;
  int playCount_ = 1;
  double rate_ = 1.0;
};

}  // namespace pvhosted
