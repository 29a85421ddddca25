#include "MediaComponent.h"

#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaMetaData>
#include <QUrl>
#include <cmath>

#include "HostedSupport.h"

namespace pvhosted {
namespace {

std::string Seconds(qint64 milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(milliseconds) / 1000.0);
  return text;
}

}  // namespace

QWidget* MediaComponent::CreateWidget(QWidget* parent) {
  video_ = new QVideoWidget(parent);
  player_ = new QMediaPlayer(video_);
  player_->setVideoOutput(video_);
  // The player needs an audio output even without a sound device: its sink then takes the
  // samples silently, in real time.
  audio_ = new QAudioOutput(video_);
  player_->setAudioOutput(audio_);
  QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, video_, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::LoadedMedia && autoStart_) player_->play();
    if (status == QMediaPlayer::EndOfMedia && autoRewind_) player_->setPosition(0);
  });
  return video_;
}

void MediaComponent::ApplyVolume() {
  if (!audio_) return;
  audio_->setMuted(mute_);
  // Hundredths of a decibel to a linear gain.
  audio_->setVolume(static_cast<float>(std::pow(10.0, std::clamp(volume_, -10000, 0) / 2000.0)));
}

std::string MediaComponent::Call(const std::string& name, const std::vector<std::string>& arguments) {
  if (!player_) return {};
  if (name == "Open") {
    file_ = Q(Arg(arguments, 0));
    player_->setSource(QUrl::fromUserInput(file_, QFileInfo(file_).absolutePath(), QUrl::AssumeLocalFile));
    ApplyVolume();
    return "1";
  }
  if (name == "Play") { player_->play(); return "1"; }
  if (name == "Pause") { player_->pause(); return "1"; }
  if (name == "Stop") { player_->stop(); return "1"; }
  if (name == "AboutBox") return "1";
  if (name == "GetMediaInfoString") {
    const QMediaMetaData data = player_->metaData();
    switch (std::atoi(Arg(arguments, 0).c_str())) {
      case 7: return S(data.stringValue(QMediaMetaData::Author));
      case 8: return S(data.stringValue(QMediaMetaData::Title));
      case 9: return S(data.stringValue(QMediaMetaData::Copyright));
      case 10: return S(data.stringValue(QMediaMetaData::Description));
      case 11: return S(data.stringValue(QMediaMetaData::Title));
      case 12: return S(QFileInfo(file_).fileName());
      default: return {};
    }
  }
  return Get(name);
}

std::string MediaComponent::Get(const std::string& name) {
  if (!player_) return {};
  if (name == "readyState") {
    switch (player_->mediaStatus()) {
      case QMediaPlayer::NoMedia: return "0";
      case QMediaPlayer::LoadingMedia: return "1";
      case QMediaPlayer::InvalidMedia: return "0";
      default: return "4";
    }
  }
  if (name == "PlayState") {
    switch (player_->playbackState()) {
      case QMediaPlayer::PlayingState: return "2";
      case QMediaPlayer::PausedState: return "1";
      default: return "0";
    }
  }
  if (name == "CurrentPosition") return Seconds(player_->position());
  if (name == "Duration") return Seconds(player_->duration());
  if (name == "FileName") return S(file_);
  if (name == "PlayCount") return std::to_string(playCount_);
  if (name == "DisplaySize") return std::to_string(displaySize_);
  if (name == "AllowChangeDisplaySize") return std::to_string(allowDisplaySize_);
  if (name == "Volume") return std::to_string(volume_);
  if (name == "Mute") return mute_ ? "-1" : "0";
  if (name == "IsSoundCardEnabled") return audio_ ? "-1" : "0";
  if (name == "Rate") return std::to_string(rate_);
  if (name == "AutoStart") return autoStart_ ? "-1" : "0";
  if (name == "AutoRewind") return autoRewind_ ? "-1" : "0";
  if (name == "AutoSize") return autoSize_ ? "-1" : "0";
  if (name == "ShowControls") return showControls_ ? "-1" : "0";
  if (name == "Enabled") return "-1";
  if (name == "Error") return S(player_->errorString());
  return {};
}

bool MediaComponent::Set(const std::string& name, const std::string& value) {
  if (!player_) return false;
  const int number = std::atoi(value.c_str());
  const bool on = number != 0;
  if (name == "AutoStart") { autoStart_ = on; return true; }
  if (name == "AutoRewind") { autoRewind_ = on; return true; }
  if (name == "AutoSize") { autoSize_ = on; return true; }
  if (name == "ShowControls") { showControls_ = on; return true; }
  if (name == "Rate") {
    rate_ = std::atof(value.c_str()) > 0 ? std::atof(value.c_str()) : 1.0;
    player_->setPlaybackRate(rate_);
    return true;
  }
  if (name == "PlayCount") {
    playCount_ = number;
    player_->setLoops(number <= 0 ? QMediaPlayer::Infinite : number);
    return true;
  }
  if (name == "AllowChangeDisplaySize") { allowDisplaySize_ = number; return true; }
  if (name == "DisplaySize") { displaySize_ = number; return true; }
  if (name == "Volume") { volume_ = number; ApplyVolume(); return true; }
  if (name == "Mute") { mute_ = on; ApplyVolume(); return true; }
  if (name == "CurrentPosition") {
    player_->setPosition(static_cast<qint64>(std::atof(value.c_str()) * 1000.0));
    return true;
  }
  return false;
}

}  // namespace pvhosted
