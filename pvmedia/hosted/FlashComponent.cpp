#include "FlashComponent.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineSettings>

#include "HostedSupport.h"

namespace pvhosted {
namespace {

// The page that holds the player. Ruffle takes quality, scale, alignment and background as
// load options (from the page's address). Ruffle itself cannot show a chosen frame nor tell
// the frame it shows: a movie that offers pvGotoFrame(n) and pvCurrentFrame() through
// ExternalInterface is sent and read that way; for any other movie the page counts the time
// it has played and turns it into frames at the movie's rate. Without looping the page
// pauses the movie on its last frame.
const char* kPage = R"(<!DOCTYPE html><html><head><meta charset="utf-8"></head>
<body style="margin:0;overflow:hidden;background:#000">
<div id="stage" style="width:100vw;height:100vh"></div>
<script>
window.RufflePlayer = window.RufflePlayer || {};
window.RufflePlayer.config = {publicPath: "/ruffle/", polyfills: false, autoplay: "on", unmuteOverlay: "hidden",
                              splashScreen: false, contextMenu: "off", logLevel: "error", letterbox: "on"};
window.pv = {meta: null, error: "", played: 0, since: 0, playing: false};
window.pvOptions = Object.fromEntries(new URLSearchParams(location.search));
pv.loop = pvOptions.loop !== "0";
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
  const load = {url: "/movie.swf", allowScriptAccess: true};
  for (const key of ["quality", "scale", "salign", "backgroundColor"]) if (pvOptions[key]) load[key] = pvOptions[key];
  player.load(load).catch(function(e) { pv.error = String(e); });
  setInterval(function() {
    if (!pv.loop && pv.playing && pv.meta && pvFrame(false) >= pv.meta.numFrames - 1) pvPause();
  }, 20);
})();
function pvElapsed() { return pv.played + (pv.playing ? performance.now() - pv.since : 0); }
function pvSeeks() { return typeof pvPlayer.pvGotoFrame === "function" && typeof pvPlayer.pvCurrentFrame === "function"; }
function pvFrame(loop) {
  if (!pv.meta) return 0;
  if (pvSeeks()) return Number(pvPlayer.pvCurrentFrame()) - 1;
  const n = Math.max(1, pv.meta.numFrames), f = Math.floor(pvElapsed() / 1000 * pv.meta.frameRate);
  return loop ? f % n : Math.min(f, n - 1);
}
function pvPlay() { if (!pv.playing) { pv.since = performance.now(); pv.playing = true; } pvPlayer.play(); return true; }
function pvPause() { if (pv.playing) { pv.played += performance.now() - pv.since; pv.playing = false; } pvPlayer.pause(); return true; }
function pvGoto(frame) { if (!pvSeeks()) return false; pvPlayer.pvGotoFrame(frame + 1); return true; }
function pvRewind() { pv.played = 0; pv.since = performance.now(); pvPlayer.reload(); return true; }
</script></body></html>)";

// The player's names for the control's Quality (0 low, 1 high, 2 auto-low, 3 auto-high,
// 4 medium, 5 best), ScaleMode (0 show all, 1 no border, 2 exact fit, 3 no scale) and
// AlignMode bits (1 left, 2 right, 4 top, 8 bottom).
QString QualityName(int quality) {
  static const char* const names[] = {"low", "high", "low", "high", "medium", "best"};
  return quality >= 0 && quality <= 5 ? names[quality] : "high";
}
QString ScaleName(int mode) {
  static const char* const names[] = {"showall", "noborder", "exactfit", "noscale"};
  return mode >= 0 && mode <= 3 ? names[mode] : "showall";
}
QString AlignName(int bits) {
  QString align;
  if (bits & 4) align += "T";
  if (bits & 8) align += "B";
  if (bits & 1) align += "L";
  if (bits & 2) align += "R";
  return align;
}

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
  QUrlQuery options;
  options.addQueryItem("quality", QualityName(quality_));
  options.addQueryItem("scale", ScaleName(scaleMode_));
  if (alignMode_ != 0) options.addQueryItem("salign", AlignName(alignMode_));
  if (background_ >= 0) options.addQueryItem("backgroundColor", QString("#%1").arg(background_ & 0xFFFFFF, 6, 16, QChar('0')));
  options.addQueryItem("loop", loop_ ? "1" : "0");
  const QString load = QString::number(++loads_);
  options.addQueryItem("load", load);
  QUrl page(QString("http://127.0.0.1:%1/").arg(server_->serverPort()));
  page.setQuery(options);
  view_->load(page);
  // Ready when the player of this load (not the page it replaces, which may still answer) has
  // read the movie's header, or gave up.
  const QString thisLoad = "window.pvOptions && pvOptions.load === '" + load + "'";
  QEventLoop loop;
  QTimer poll;
  QTimer::singleShot(kEngineLoadMs, &loop, &QEventLoop::quit);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    const QVariant state =
        RunScript(view_->page(), "(" + thisLoad + ") ? (window.pv.meta ? 4 : (window.pv.error ? -1 : 1)) : 1", 1000);
    if (state.toInt() == 4 || state.toInt() == -1) loop.quit();
  });
  poll.start(100);
  loop.exec();
  readyState_ = Player("(" + thisLoad + ") && pv.meta ? 4 : 1").toInt();
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
  // Frames can be chosen only in a movie that offers it (see the page).
  if (name == "GotoFrame") return S(Player("pvGoto(" + QString::number(std::atoi(Arg(arguments, 0).c_str())) + ") ? 1 : 0"));
  if (name == "Back" || name == "Forward") {
    const int step = name == "Back" ? -1 : 1;
    return S(Player(QString("pvGoto(Math.max(0, pvFrame(%1) + %2)) ? 1 : 0").arg(loop_ ? "true" : "false").arg(step)));
  }
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
  if (name == "LoadOptions") return S(Player("JSON.stringify(pvOptions)"));
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
  if (name == "Loop") {
    loop_ = number != 0;
    if (readyState_ == 4) Player(QString("pv.loop = %1").arg(loop_ ? "true" : "false"));
    return true;
  }
  // The player takes these only when it loads a movie: a change reloads the movie shown.
  int* setting = name == "Quality" ? &quality_ : name == "ScaleMode" ? &scaleMode_
               : name == "AlignMode" ? &alignMode_ : name == "BackgroundColor" ? &background_ : nullptr;
  if (name == "FrameNum") return Call("GotoFrame", {value}) == "1";
  if (!setting) return false;
  if (*setting == number) return true;
  *setting = number;
  return movie_.isEmpty() || LoadMovie(movie_);
}

}  // namespace pvhosted
