// The media player behind "MediaPlayer.MediaPlayer.1": Qt Multimedia's player with a video
// area and transport controls (play, pause, stop, position, time) that ShowControls shows or
// hides, offering the player's properties (volume in hundredths of a decibel, rate, play
// count, display size, positions in seconds). GUI thread only.
#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPointer>
#include <QVideoWidget>

#include "runtime/os/OleControl.h"

class QLabel;
class QSlider;

namespace pvhosted {

class MediaComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

  // Places the video in its area by AutoSize and DisplaySize.
  void PlaceVideo();

 private:
  QWidget* MakeControls(QWidget* parent);
  void ShowPosition();
  void ApplyVolume();
  void ChooseDisplaySize(const QPoint& at);

  QPointer<QWidget> stage_;     // the video's area
  QPointer<QVideoWidget> video_;
  QPointer<QWidget> controls_;  // the transport
  QPointer<QSlider> slider_;
  QPointer<QLabel> time_;
  QPointer<QMediaPlayer> player_;
  QPointer<QAudioOutput> audio_;
  QString file_;
  bool autoStart_ = true;
  bool autoRewind_ = true;
  bool autoSize_ = true;
  bool mute_ = false;
  int volume_ = 0;         // hundredths of a decibel, 0 loudest, -10000 silent
  int displaySize_ = 0;
  int allowDisplaySize_ = -1;
  int playCount_ = 1;
  double rate_ = 1.0;
};

// Where the video goes in an area of `area` pixels for a video of `natural` pixels on a screen
// of `screen` pixels: with AutoSize, the display size's share of the video's own size (0 as
// it is, 1 half, 2 double) or of the screen (5 a sixteenth, 6 a quarter, 7 a half), centred;
// 4 (fit), no AutoSize or no video fills the area. Full screen (3) is the caller's.
QRect VideoPlace(const QSize& area, const QSize& natural, int displaySize, bool autoSize, const QSize& screen);

}  // namespace pvhosted
