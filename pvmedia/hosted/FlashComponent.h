// The Flash player behind "ShockwaveFlash.ShockwaveFlash.1": Ruffle (the npm package kept
// beside this library) in a Qt WebEngine view, served with the movie from a private server on
// 127.0.0.1, driven through Ruffle's player: play, pause, rewind, frames, loop and quality.
// GUI thread only.
#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QWebEngineView>
#include <memory>

#include "runtime/os/OleControl.h"

namespace pvhosted {

// The version of the Ruffle package (from its package.json); empty when it is missing.
std::string RuffleVersion();

class FlashComponent : public wdrt::OleComponent {
 public:
  QWidget* CreateWidget(QWidget* parent) override;
  std::string Call(const std::string& name, const std::vector<std::string>& arguments) override;
  std::string Get(const std::string& name) override;
  bool Set(const std::string& name, const std::string& value) override;

 private:
  bool LoadMovie(const QString& file);
  QString Player(const QString& expression);
  void Serve(QTcpSocket* socket);

  QPointer<QWebEngineView> view_;
  QPointer<QTcpServer> server_;
  QString movie_;
  QString ruffle_;
  bool loop_ = true;
  int quality_ = 1;
  int scaleMode_ = 0;
  int alignMode_ = 0;
  int background_ = -1;
  int readyState_ = 0;
  int loads_ = 0;  // numbers each page load, so that a poll never reads the page being replaced
};

}  // namespace pvhosted
