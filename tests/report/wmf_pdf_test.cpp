// The same player draws a page into a PDF (QPdfWriter): the texts stay real, searchable text
// and records a printer cannot carry out (inverting mix modes) are left out, not failed.
#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/report/WmfBuilder.h"

namespace {

using namespace wdrt::report;
using reporttest::WmfBuilder;

TEST(WmfPdfTest, TextsOfAPageArePdfTextAndInvertingRecordsAreSkipped) {
  reporttest::EnsureGuiApp();
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) missing";
  const QByteArray page = WmfBuilder::Placeable(0, 0, 8500, 11000, 1000)
                              .Font(-667, 700, "Arial")
                              .TextAlign(TA_BASELINE)
                              .ExtTextOut(1000, 2000, "Happy Birthday")
                              .Font(-153, 400, "Times New Roman", RUSSIAN_CHARSET)
                              .ExtTextOut(1000, 3000, QByteArray::fromHex("cff0e8e2e5f2"))
                              .Record(META_SETROP2, {R2_XORPEN})
                              .Brush(BS_SOLID, 0xFF0000)
                              .Rectangle(0, 0, 8500, 11000)
                              .Eof()
                              .Bytes();
  QTemporaryDir dir;
  const QString pdf = dir.filePath("page.pdf");
  WmfPlayResult result;
  {
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter painter(&writer);
    result = PlayWmf(painter, page, QRectF(0, 0, 8.5 * 1200, 11 * 1200));
  }
  EXPECT_EQ(result.status, WmfStatus::Ok) << result.problem;
  QProcess text;
  text.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(text.waitForFinished(30000));
  const QString out = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(out.contains("Happy Birthday")) << out.toStdString();
  EXPECT_TRUE(out.contains(QString::fromUtf8("Привет"))) << out.toStdString();

  // No red page: the XOR rectangle cannot be carried out on paper and is left out.
  QProcess render;
  render.start("pdftoppm", {"-r", "20", "-png", "-singlefile", pdf, dir.filePath("page")});
  ASSERT_TRUE(render.waitForFinished(30000));
  const QImage image(dir.filePath("page.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 5), qRgb(255, 255, 255));
  const QString kept = reporttest::ArtifactDir() + "/report-page.pdf";
  QFile::remove(kept);
  QFile::copy(pdf, kept);
}

}  // namespace
