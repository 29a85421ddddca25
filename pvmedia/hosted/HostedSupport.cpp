#include "HostedSupport.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "runtime/os/DebugOutput.h"

namespace pvhosted {

QString JsString(const QString& text) {
  QString quoted = "\"";
  for (QChar c : text) {
    switch (c.unicode()) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case 0x2028: quoted += "\\u2028"; break;
      case 0x2029: quoted += "\\u2029"; break;
      default: quoted += c;
    }
  }
  return quoted + "\"";
}

namespace {
struct Pending {
  QVariant value;
  bool done = false;
  QEventLoop loop;
};
}  // namespace

QVariant RunScript(QWebEnginePage* page, const QString& script, int timeoutMs) {
  if (!page) return {};
  auto pending = std::make_shared<Pending>();
  std::weak_ptr<Pending> weak = pending;
  page->runJavaScript(script, [weak](const QVariant& value) {
    if (auto p = weak.lock()) {
      p->value = value;
      p->done = true;
      p->loop.quit();
    }
  });
  if (!pending->done) {
    QTimer::singleShot(timeoutMs, &pending->loop, &QEventLoop::quit);
    pending->loop.exec();
  }
  return pending->value;
}

QString PageHtml(QWebEnginePage* page, int timeoutMs) {
  if (!page) return {};
  auto pending = std::make_shared<Pending>();
  std::weak_ptr<Pending> weak = pending;
  page->toHtml([weak](const QString& html) {
    if (auto p = weak.lock()) {
      p->value = html;
      p->done = true;
      p->loop.quit();
    }
  });
  if (!pending->done) {
    QTimer::singleShot(timeoutMs, &pending->loop, &QEventLoop::quit);
    pending->loop.exec();
  }
  return pending->value.toString();
}

void PrepareWebEngine() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  std::string flags = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") ? std::getenv("QTWEBENGINE_CHROMIUM_FLAGS") : "";
  if (::geteuid() == 0 && flags.find("--no-sandbox") == std::string::npos) {
    // Chromium's sandbox refuses to run as root; the browser then runs without it.
    flags += " --no-sandbox";
    wdrt::OutputDebugStringA("[Panoview] running as root: the web engine runs without its sandbox (--no-sandbox)\r\n");
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && std::string(platform) == "offscreen") {
    if (flags.find("--disable-gpu") == std::string::npos) flags += " --disable-gpu";
    ::setenv("QT_QUICK_BACKEND", "software", 0);
  }
  ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
}

std::string RuffleFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&RuffleFolder), &info) == 0 || !info.dli_fname) return {};
  const std::filesystem::path folder = std::filesystem::path(info.dli_fname).parent_path() / "ruffle";
  std::error_code error;
  return std::filesystem::exists(folder / "ruffle.js", error) ? folder.string() : std::string();
}

}  // namespace pvhosted
