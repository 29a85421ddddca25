// Measurements run by scripts/pdf-benchmark.sh (disabled in the normal run): our seconds per
// page and PDF size on the birthday book's page files, which it leaves in $PDF_BENCH_DIR for
// the comparison with another converter; and renderings of two pages by the previewer's player
// next to pdftoppm's rendering of our PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "PdfTestSupport.h"
#include "books/fete/FeteReport.h"
#include "printing/pdf/PdfReportWriter.h"
#include "runtime/report/WmfPlayer.h"
#include "tests/report/ReportTestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string BenchDir() {
  const char* dir = std::getenv("PDF_BENCH_DIR");
  return dir ? dir : reporttest::MakeTempDir("pdf-bench");
}

TEST(PdfBenchmark, DISABLED_SecondsPerPageAndSize) {
  const std::string pictures = pdftest::PictureDir();
  if (pictures.empty()) GTEST_SKIP() << "a build without pictures";
  const std::string dir = BenchDir();
  const int records = std::getenv("PDF_BENCH_RECORDS") ? std::atoi(std::getenv("PDF_BENCH_RECORDS")) : 5;
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(FeteReport(), records, pages.queue, pictures));
  // The page files, kept under plain names for the other converter.
  fs::create_directories(dir + "/pages");
  wdrt::report::PreviewQueue kept;
  int n = 0;
  for (const std::string& name : pages.queue.Names()) {
    char file[64];
    std::snprintf(file, sizeof file, "/pages/page-%03d.wmf", ++n);
    fs::copy_file(name, dir + file, fs::copy_options::overwrite_existing);
    kept.Add(dir + file);
  }
  // The best of three runs, as the machine is shared.
  printing::PdfReportWriter writer;
  double seconds = 1e9;
  for (int run = 0; run < 3; ++run) {
    writer.Reset();
    writer.Setup("ours.pdf", dir, false);
    writer.SetPaper(0, 0, 1, 0, 0, 0);
    writer.SetCompression(1, 1, 0, 2, 4);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(writer.Generate(kept, false), 1);
    seconds = std::min(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("ours: %d pages in %.3f s = %.4f s/page; %ju bytes\n", n, seconds, seconds / n,
              pdftest::FileSize(writer.FILENAME));
}

// The previewer's drawing (the player on a QImage) and pdftoppm's, of pages 1 and 2, at 60 dpi.
TEST(PdfBenchmark, DISABLED_RenderingsSideBySide) {
  const std::string pictures = pdftest::PictureDir();
  if (pictures.empty()) GTEST_SKIP() << "a build without pictures";
  const std::string dir = BenchDir();
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(FeteReport(), 1, pages.queue, pictures));
  printing::PdfReportWriter writer;
  writer.Setup("render.pdf", dir, false);
  ASSERT_EQ(writer.Generate(pages.queue, false), 1);
  reporttest::Run("pdftoppm -r 60 -f 1 -l 2 -png '" + writer.FILENAME + "' '" + dir + "/pdf'");
  for (int page = 1; page <= 2; ++page) {
    const QImage pdf(QString::fromStdString(dir + "/pdf-" + std::to_string(page) + ".png"));
    ASSERT_FALSE(pdf.isNull());
    QImage player(pdf.size(), QImage::Format_RGB32);
    player.fill(Qt::white);
    {
      QPainter painter(&player);
      painter.setRenderHint(QPainter::Antialiasing);
      wdrt::report::PlayWmfFile(painter, QString::fromStdString(pages.queue.Get(page).value()),
                                QRectF(0, 0, player.width(), player.height()));
    }
    QImage both(pdf.width() * 2 + 10, pdf.height(), QImage::Format_RGB32);
    both.fill(Qt::gray);
    QPainter painter(&both);
    painter.drawImage(0, 0, player);
    painter.drawImage(pdf.width() + 10, 0, pdf.convertToFormat(QImage::Format_RGB32));
    painter.end();
    const std::string out = dir + "/side-by-side-" + std::to_string(page) + ".png";
    ASSERT_TRUE(both.save(QString::fromStdString(out)));
    std::printf("%s (left: previewer's player, right: pdftoppm of our PDF)\n", out.c_str());
  }
}

}  // namespace
