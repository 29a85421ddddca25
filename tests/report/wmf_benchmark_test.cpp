// Time to draw one letter-size report page (a 7 x 4.5 inch JPEG of about 100 kB and a few
// texts) at 96 dpi into an image. Disabled: run with --gtest_also_run_disabled_tests.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/report/WmfBuilder.h"

namespace {

using namespace wdrt::report;

// A photo-like picture: gradient, shapes and grain, so that it compresses like a photograph.
QImage Photo(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, size.width(), size.height());
  g.setColorAt(0, QColor(40, 90, 170));
  g.setColorAt(1, QColor(60, 150, 70));
  p.fillRect(image.rect(), g);
  QRandomGenerator random(7);
  for (int i = 0; i < 60; ++i) {
    p.setBrush(QColor::fromHsv(random.bounded(360), 160, 220));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(random.bounded(size.width()), random.bounded(size.height())), 20 + random.bounded(80), 20 + random.bounded(80));
  }
  p.end();
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const int n = random.bounded(13) - 6;
      line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                     std::clamp(qBlue(line[x]) + n, 0, 255));
    }
  }
  return image;
}

TEST(WmfBenchmark, DISABLED_ReportPageAt96Dpi) {
  reporttest::EnsureGuiApp();
  const QSize pixels(1400, 900);
  QByteArray jpeg;
  for (int quality = 90; quality >= 30; quality -= 5) {
    jpeg = reporttest::Encode(Photo(pixels), "JPEG", quality);
    if (jpeg.size() <= 110 * 1024) break;
  }
  const QByteArray dib = reporttest::DibHeader(pixels.width(), pixels.height(), 0, BI_JPEG,
                                               static_cast<std::uint32_t>(jpeg.size())) + jpeg;
  const QByteArray page = reporttest::WmfBuilder::Placeable(0, 0, 8500, 11000, 1000)
                              .WindowOrg(0, 0)
                              .WindowExt(8500, 11000)
                              .StretchDib(750, 750, 7000, 4500, pixels.width(), pixels.height(), dib)
                              .Font(-667, 700, "Arial")
                              .TextColor(0xFFFFFF)
                              .BkMode(BK_TRANSPARENT)
                              .TextAlign(TA_BASELINE)
                              .ExtTextOut(1000, 2000, "Happy Birthday")
                              .Font(-153, 400, "Arial")
                              .TextColor(0xFF0000)
                              .ExtTextOut(1000, 6000, "Made for Emma on her fifth birthday.")
                              .ExtTextOut(1000, 6300, "Page 1 of 6")
                              .Pen(PS_SOLID, 20, 0)
                              .Brush(BS_NULL, 0)
                              .Rectangle(750, 6500, 7750, 7300)
                              .Eof()
                              .Bytes();
  std::vector<double> ms;
  for (int run = 0; run < 41; ++run) {
    QElapsedTimer timer;
    timer.start();
    QImage image(816, 1056, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    const WmfPlayResult result = PlayWmf(painter, page, QRectF(0, 0, 816, 1056));
    painter.end();
    ms.push_back(timer.nsecsElapsed() / 1e6);
    ASSERT_EQ(result.status, WmfStatus::Ok);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("page with a %lld-byte %dx%d JPEG at 96 dpi: median %.1f ms, min %.1f ms, max %.1f ms\n",
              static_cast<long long>(jpeg.size()), pixels.width(), pixels.height(), ms[ms.size() / 2], ms.front(), ms.back());
  // The goal is 30 ms; the bound only catches a page drawn in a way far slower than it should
  // be, and holds on a loaded machine or a sanitizer build.
  EXPECT_LE(ms[ms.size() / 2], 300.0);
}

}  // namespace
