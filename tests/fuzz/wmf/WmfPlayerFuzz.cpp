// Fuzz target of the WMF player: any bytes are drawn onto a small image, their header read and
// their texts extracted, without crash, hang or unbounded memory, and with a consistent result.
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/report/WmfPlayer.h"
#include "runtime/view/Units.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void EnsureApp() {
  static QGuiApplication* app = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) ::setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    static int argc = 1;
    static char name[] = "wmf_player_fuzz";
    static char* argv[] = {name, nullptr};
    auto* a = new QGuiApplication(argc, argv);  // kept for the whole run
    // Image decoders complain about every broken picture; the output would slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    wdrt::view::InstallFontSubstitutions();
    return a;
  }();
  (void)app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnsureApp();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  QImage image(48, 64, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  int texts = 0;
  wdrt::report::WmfPlayOptions options;
  options.onText = [&](const QString&, const QRectF&) { ++texts; };
  options.drawJpeg = [](const QByteArray& jpeg, const QRectF&, QPainter&) { return jpeg.isEmpty(); };
  const auto result = wdrt::report::PlayWmf(painter, bytes, QRectF(0, 0, 48, 64), options);
  painter.end();

  Check((result.status == wdrt::report::WmfStatus::Ok) == result.problem.empty());
  Check(result.status != wdrt::report::WmfStatus::NotMetafile || result.records == 0);
  Check(result.records >= 0 && static_cast<std::size_t>(result.records) <= size / 6);

  const auto header = wdrt::report::ReadWmfHeader(bytes);
  Check(header.has_value() == (result.status != wdrt::report::WmfStatus::NotMetafile));
  const auto items = wdrt::report::ExtractWmfTexts(bytes);
  Check(header.has_value() || items.empty());

  // Let Qt's timers run between inputs as between two paints of a program: its font cache
  // frees the engines of fonts no longer drawn only from a timer.
  QCoreApplication::processEvents();
  return 0;
}
