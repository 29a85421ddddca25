// The booklet's report as the books print it: six sheets, each band filling one letter sheet,
// every picture made by the build, the child's name in the texts; and how fast sheets are made.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "books/fete/FeteReport.h"
#include "runtime/report/Report.h"
#include "runtime/report/TextCodePage.h"

#include "ChildName.h"

using namespace wdrt::report;

namespace {

std::filesystem::path PictureDir() {
  const char* suite = std::getenv("STORYLOOM_SUITE_DIR");
  return suite ? std::filesystem::path(suite) / ".." / "assets" / "pictures" : std::filesystem::path();
}

void EnsureGui() {
  if (QGuiApplication::instance()) return;
  static int argc = 1;
  static char name[] = "books_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);  // kept to the end of the run
  (void)app;
}

}  // namespace

TEST(FeteReportTable, SixSheetsThatFitTheirPageWithTheChildsName) {
  const ReportDef& def = FeteReport();
  ASSERT_EQ(def.bands.size(), 6u);
  const char* names[] = {"TITLEPAGE", "PAGEONE", "PAGETWO", "PAGETHREE", "PAGEFOUR", "PAGEFIVE"};
  int numbers = 0;
  bool named = false;
  for (std::size_t i = 0; i < 6; ++i) {
    const BandDef& band = def.bands[i];
    EXPECT_EQ(band.name, names[i]);
    EXPECT_EQ(band.height, 10750);
    EXPECT_LE(def.marginTop + band.height + def.marginBottom, def.pageHeight);
    for (const ReportItem& item : band.items) {
      EXPECT_LE(def.marginLeft + item.x + item.width, def.pageWidth) << item.text << item.picture;
      EXPECT_LE(item.y + item.height, band.height) << item.text << item.picture;
      if (item.kind == ItemKind::Text) {
        EXPECT_TRUE(PrintableOnPage(item.text)) << item.text;
        if (item.text.size() <= 2 && std::isdigit(static_cast<unsigned char>(item.text[0]))) ++numbers;
        named |= item.text.find(kChildName) != std::string::npos;
      }
    }
  }
  EXPECT_EQ(numbers, 10) << "pages 1 to 10 carry their numbers";
  EXPECT_TRUE(named);
}

TEST(FeteReportTable, EveryPictureIsMadeByTheBuild) {
  const auto dir = PictureDir();
  std::error_code ec;
  if (dir.empty() || !std::filesystem::is_directory(dir, ec)) GTEST_SKIP() << "a build without pictures";
  std::set<std::string> made;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    made.insert(name);
  }
  for (const BandDef& band : FeteReport().bands) {
    for (const ReportItem& item : band.items) {
      if (item.kind != ItemKind::Picture) continue;
      std::string name = item.picture;
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_TRUE(made.count(name)) << item.picture;
    }
  }
}

// Not a timed test: run with --gtest_also_run_disabled_tests to measure sheets per second.
TEST(FeteReportBenchmark, DISABLED_SheetsPerSecond) {
  const auto dir = PictureDir();
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) GTEST_SKIP() << "a build without pictures";
  EnsureGui();
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  PreviewQueue queue;
  Report report(FeteReport());
  report.SetPreviewQueue(&queue);
  report.Open();
  const int records = 100;
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < records; ++r)
    for (const BandDef& band : FeteReport().bands) ASSERT_EQ(report.Print(band.name), ReportOk);
  report.EndPage();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::filesystem::current_path(here);
  std::uintmax_t bytes = 0;
  for (const std::string& name : queue.Names()) bytes += std::filesystem::file_size(name);
  std::printf("sheets: %zu in %.3f s = %.1f sheets/s; %.0f kB a sheet\n", queue.Records(), seconds,
              static_cast<double>(queue.Records()) / seconds, static_cast<double>(bytes) / 1024.0 / queue.Records());
  EXPECT_EQ(queue.Records(), static_cast<std::size_t>(records * 6));
  DeletePageFiles(queue);
}
