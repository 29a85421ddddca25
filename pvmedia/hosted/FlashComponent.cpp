#include "FlashComponent.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEngineSettings>

#include "HostedSupport.h"

namespace pvhosted {
namespace {

constexpr int kLoadTimeoutMs = 15000;

// The page that holds the player. Ruffle does not tell the frame it shows, so the page counts
// the time the movie has played and turns it into frames at the movie's rate.
const char* kPage = R"(<!DOCTYPE html><html><head><meta charset="utf-8"></head>
<body style="margin:0;overflow:hidden;background:#000">
<div id="stage" style="width:100vw;height:100vh"></div>
<script>
window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = {publicPath: "/ruffle/", polyfills: false, autoplay: "on", unmuteOverlay: "hidden",
                              splashScreen: false, contextMenu: "off", logLevel: "error", letterbox: "on"};
window.pv = {meta: null, error: "", played: 0, since: 0, playing: false};
</script>
<script src="/ruffle/ruffle.js"></script>
<script>
(function() {
  const player = window.RufflePlayer.newest().createPlayer();
  player.style.width = "100%"; player.style.height = "100%";
  document.getElementById("stage").appendChild(player);
  window.pvPlayer = player;
  player.addEventListener("loadedmetadata", function() {
    pv.meta = player.metadata; pv.since = performance.now(); pv.playing = true;
  });
  player.load({url: "/movie.swf"}).catch(function(e) { pv.error = String(e); });
})();
function pvElapsed() { return pv.played + (pv.playing ? performance.now() - pv.since : 0); }
function pvFrame(loop) {
  if (!pv.meta) return 0;
  const n = Math.max(1, pv.meta.numFrames), f = Math.floor(pvElapsed() / 1000 * pv.meta.frameRate);
  return loop ? f % n : Math.min(f, n - 1);
}
function pvPlay() { if (!pv.playing) { pv.since = performance.now(); pv.playing = true; } pvPlayer.play(); return true; }
function pvPause() { if (pv.playing) { pv.played += performance.now() - pv.since; pv.playing = false; } pvPlayer.pause(); return true; }
function pvRewind() { pv.played = 0; pv.since = performance.now(); pvPlayer.reload(); return true; }
</script></body></html>)";

QByteArray ContentType(const QString& path) {
  if (path.endsWith(".js")) return "text/javascript";
  if (path.endsWith(".wasm")) return "application/wasm";
  if (path.endsWith(".swf")) return "application/x-shockwave-flash";
  if (path.endsWith(".html") || path == "/") return "text/html; charset=utf-8";
  return "application/octet-stream";
}

}  // namespace

std::string RuffleVersion() {
  const std::string folder = RuffleFolder();
  if (folder.empty()) return {};
  QFile file(Q(folder + "/package.json"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return S(QJsonDocument::fromJson(file.readAll()).object().value("version").toString());
}

QWidget* FlashComponent::CreateWidget(QWidget* parent) {
  PrepareWebEngine();
  ruffle_ = Q(RuffleFolder());
  view_ = new QWebEngineView(parent);
  server_ = new QTcpServer(view_);
  if (!server_->listen(QHostAddress::LocalHost, 0)) return nullptr;
  QObject::connect(server_, &QTcpServer::newConnection, server_, [this] {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
  return view_;
}

void FlashComponent::Serve(QTcpSocket* socket) {
  if (!socket->canReadLine()) return;
  const QList<QByteArray> request = socket->readLine().trimmed().split(' ');
  QString path = request.size() >= 2 ? QString::fromUtf8(request[1]) : QString();
  path = path.section('?', 0, 0);
  QByteArray body;
  bool found = true;
  if (request.value(0) != "GET") {
    found = false;
  } else if (path == "/") {
    body = kPage;
  } else if (path == "/movie.swf") {
    QFile file(movie_);
    found = file.open(QIODevice::ReadOnly);
    if (found) body = file.readAll();
  } else if (path.startsWith("/ruffle/") && !path.contains("..")) {
    QFile file(ruffle_ + "/" + path.mid(8));
    found = file.open(QIODevice::ReadOnly);
    if (found) body = file.readAll();
  } else {
    found = false;
  }
  QByteArray head = found ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n";
  head += "Content-Type: " + ContentType(path) + "\r\nContent-Length: " + QByteArray::number(body.size()) +
          "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
  socket->write(head + body);
  socket->disconnectFromHost();
}

bool FlashComponent::LoadMovie(const QString& file) {
  if (!view_ || !server_ || !QFileInfo::exists(file)) return false;
  movie_ = QFileInfo(file).absoluteFilePath();
  readyState_ = 1;
  view_->load(QUrl(QString("http://127.0.0.1:%1/").arg(server_->serverPort())));
  // Ready when the player has read the movie's header (or gave up).
  QEventLoop loop;
  QTimer poll;
  QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    const QVariant state = RunScript(view_->page(), "window.pv ? (window.pv.meta ? 4 : (window.pv.error ? -1 : 1)) : 1", 1000);
    if (state.toInt() == 4 || state.toInt() == -1) loop.quit();
  });
  poll.start(100);
  loop.exec();
  readyState_ = Player("pv.meta ? 4 : 1").toInt();
  return readyState_ == 4;
}

QString FlashComponent::Player(const QString& expression) {
  return RunScript(view_->page(), "(function(){try{return String(" + expression + ");}catch(e){return '';}})()").toString();
}

std::string FlashComponent::Call(const std::string& name, const std::vector<std::string>& arguments) {
  if (!view_) return {};
  if (name == "LoadMovie") return LoadMovie(Q(Arg(arguments, arguments.size() > 1 ? 1 : 0))) ? "1" : "0";
  if (name == "Play") return S(Player("pvPlay()"));
  if (name == "StopPlay") return S(Player("pvPause()"));
  if (name == "Rewind") return S(Player("pvRewind()"));
  if (name == "Back" || name == "Forward" || name == "GotoFrame") return "0";  // Ruffle cannot seek frames
  return Get(name);
}

std::string FlashComponent::Get(const std::string& name) {
  if (!view_) return {};
  if (name == "readyState" || name == "ReadyState") return std::to_string(readyState_);
  if (name == "TotalFrames") return S(Player("pv.meta ? pv.meta.numFrames : 0"));
  if (name == "FrameRate") return S(Player("pv.meta ? pv.meta.frameRate : 0"));
  if (name == "CurrentFrame" || name == "FrameNum") return S(Player(QString("pvFrame(%1)").arg(loop_ ? "true" : "false")));
  if (name == "Playing") return S(Player("pvPlayer.isPlaying ? 1 : 0"));
  if (name == "Movie") return S(movie_);
  if (name == "Loop") return loop_ ? "1" : "0";
  if (name == "Quality") return std::to_string(quality_);
  if (name == "ScaleMode") return std::to_string(scaleMode_);
  if (name == "AlignMode") return std::to_string(alignMode_);
  if (name == "BackgroundColor") return std::to_string(background_ >= 0 ? background_ : 0);
  if (name == "Error") return S(Player("pv.error"));
  return {};
}

bool FlashComponent::Set(const std::string& name, const std::string& value) {
  if (!view_) return false;
  const int number = std::atoi(value.c_str());
  if (name == "Movie") return LoadMovie(Q(value));
  if (name == "Playing") {
    Player(number != 0 ? "pvPlay()" : "pvPause()");
    return true;
  }
  if (name == "Loop") { loop_ = number != 0; return true; }
  if (name == "Quality") { quality_ = number; return true; }
  if (name == "ScaleMode") { scaleMode_ = number; return true; }
  if (name == "AlignMode") { alignMode_ = number; return true; }
  if (name == "BackgroundColor") { background_ = number; return true; }
  return false;
}

}  // namespace pvhosted
