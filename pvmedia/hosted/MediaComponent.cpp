#include "MediaComponent.h"

#include <QAudioDevice>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaMetaData>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMultimediaVersion>
#include <cmath>

#include "HostedSupport.h"
#include "runtime/dialogs/Message.h"

namespace pvhosted {
namespace {

std::string Seconds(qint64 milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(milliseconds) / 1000.0);
  return text;
}

QString Clock(qint64 milliseconds) {
  const qint64 seconds = milliseconds / 1000;
  return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

// Places the video again whenever its area changes size.
class StageWatcher : public QObject {
 public:
  StageWatcher(MediaComponent* owner, QObject* parent) : QObject(parent), owner_(owner) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) owner_->PlaceVideo();
    return QObject::eventFilter(watched, event);
  }

 private:
  MediaComponent* owner_;
};

// The display sizes a user may choose when AllowChangeDisplaySize is on.
const std::pair<int, const char*> kDisplaySizes[] = {
    {0, "Default Size"}, {1, "Half Size"}, {2, "Double Size"}, {4, "Fit to Window"}};

}  // namespace

QRect VideoPlace(const QSize& area, const QSize& natural, int displaySize, bool autoSize, const QSize& screen) {
  if (!autoSize || natural.isEmpty() || displaySize == 4 || displaySize == 3) return QRect(QPoint(0, 0), area);
  QSize size = natural;
  switch (displaySize) {
    case 1: size = natural / 2; break;
    case 2: size = natural * 2; break;
    case 5: size.scale(screen / 4, Qt::KeepAspectRatio); break;   // a sixteenth of the screen
    case 6: size.scale(screen / 2, Qt::KeepAspectRatio); break;   // a quarter
    case 7: size.scale(screen / std::sqrt(2.0), Qt::KeepAspectRatio); break;  // a half
    default: break;
  }
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

QWidget* MediaComponent::CreateWidget(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  stage_ = new QWidget(box);
  stage_->setAutoFillBackground(true);
  QPalette black = stage_->palette();
  black.setColor(QPalette::Window, Qt::black);
  stage_->setPalette(black);
  stage_->installEventFilter(new StageWatcher(this, stage_));
  stage_->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(stage_, &QWidget::customContextMenuRequested, stage_, [this](const QPoint& at) {
    ChooseDisplaySize(at);
  });
  video_ = new QVideoWidget(stage_);
  player_ = new QMediaPlayer(box);
  player_->setVideoOutput(video_);
  // The player needs an audio output even without a sound device: its sink then takes the
  // samples silently, in real time.
  audio_ = new QAudioOutput(box);
  player_->setAudioOutput(audio_);
  controls_ = MakeControls(box);
  layout->addWidget(stage_, 1);
  layout->addWidget(controls_);
  QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, box, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::LoadedMedia && autoStart_) player_->play();
    if (status == QMediaPlayer::EndOfMedia && autoRewind_) player_->setPosition(0);
    PlaceVideo();
  });
  QObject::connect(player_, &QMediaPlayer::positionChanged, box, [this] { ShowPosition(); });
  QObject::connect(player_, &QMediaPlayer::durationChanged, box, [this] { ShowPosition(); });
  return box;
}

QWidget* MediaComponent::MakeControls(QWidget* parent) {
  auto* bar = new QWidget(parent);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 2, 4, 2);
  const auto button = [&](QStyle::StandardPixmap icon, const char* tip, auto action) {
    auto* b = new QToolButton(bar);
    b->setIcon(bar->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    QObject::connect(b, &QToolButton::clicked, bar, action);
    row->addWidget(b);
  };
  button(QStyle::SP_MediaPlay, "Play", [this] { player_->play(); });
  button(QStyle::SP_MediaPause, "Pause", [this] { player_->pause(); });
  button(QStyle::SP_MediaStop, "Stop", [this] {
    player_->stop();
    player_->setPosition(0);
  });
  slider_ = new QSlider(Qt::Horizontal, bar);
  slider_->setToolTip("Position");
  QObject::connect(slider_, &QSlider::sliderMoved, bar, [this](int ms) { player_->setPosition(ms); });
  row->addWidget(slider_, 1);
  time_ = new QLabel("0:00 / 0:00", bar);
  row->addWidget(time_);
  return bar;
}

void MediaComponent::ShowPosition() {
  if (!slider_ || !player_) return;
  if (!slider_->isSliderDown()) {
    const QSignalBlocker block(slider_);
    slider_->setRange(0, static_cast<int>(player_->duration()));
    slider_->setValue(static_cast<int>(player_->position()));
  }
  time_->setText(Clock(player_->position()) + " / " + Clock(player_->duration()));
}

void MediaComponent::PlaceVideo() {
  if (!video_ || !stage_ || !player_) return;
  const QSize natural = player_->metaData().value(QMediaMetaData::Resolution).toSize();
  const QSize screen = stage_->screen() ? stage_->screen()->size() : QSize(1024, 768);
  if (displaySize_ == 3 && !natural.isEmpty()) {
    video_->setFullScreen(true);
    return;
  }
  if (video_->isFullScreen()) video_->setFullScreen(false);
  video_->setGeometry(VideoPlace(stage_->size(), natural, displaySize_, autoSize_, screen));
  video_->setVisible(player_->hasVideo());
}

void MediaComponent::ChooseDisplaySize(const QPoint& at) {
  if (allowDisplaySize_ == 0) return;
  QMenu menu(stage_);
  for (const auto& [size, text] : kDisplaySizes) {
    QAction* action = menu.addAction(text);
    action->setCheckable(true);
    action->setChecked(size == displaySize_);
    action->setData(size);
  }
  if (QAction* chosen = menu.exec(stage_->mapToGlobal(at))) {
    displaySize_ = chosen->data().toInt();
    PlaceVideo();
  }
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
  if (name == "AboutBox") {
    wdrt::Message("Media Player||Plays sound and video files with Qt Multimedia " QTMULTIMEDIA_VERSION_STR ".",
                  "About Media Player", wdrt::IconAsterisk, wdrt::ButtonOk);
    return "1";
  }
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
  if (name == "ShowControls") return controls_ && !controls_->isHidden() ? "-1" : "0";
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
  if (name == "AutoSize") { autoSize_ = on; PlaceVideo(); return true; }
  if (name == "ShowControls") { controls_->setVisible(on); return true; }
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
  if (name == "DisplaySize") { displaySize_ = number; PlaceVideo(); return true; }
  if (name == "Volume") { volume_ = number; ApplyVolume(); return true; }
  if (name == "Mute") { mute_ = on; ApplyVolume(); return true; }
  if (name == "CurrentPosition") {
    player_->setPosition(static_cast<qint64>(std::atof(value.c_str()) * 1000.0));
    return true;
  }
  return false;
}

}  // namespace pvhosted
