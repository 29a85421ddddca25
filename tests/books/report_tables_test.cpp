// The booklet's report as the books print it: six sheets, each band filling one letter sheet,
// every picture made by the build, the child's name in the texts; and how fast sheets are made.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "books/a/ABook.h"
#include "books/b/BBook.h"
#include "books/banners/BannersBook.h"
#include "books/common/BookletReport.h"
#include "books/fete/FeteReport.h"
#include "runtime/report/Report.h"
#include "runtime/report/TextCodePage.h"
#include "runtime/report/WmfPlayer.h"


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
        named |= item.filled && item.text.find("{child}") != std::string::npos;
      }
    }
  }
  EXPECT_EQ(numbers, 10) << "pages 1 to 10 carry their numbers";
  EXPECT_TRUE(named) << "the child each booklet is printed for is named in it";
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

namespace {

struct BookletCase {
  const char* program;
  const book::BookDef& (*book)();
};

const BookletCase kBooklets[] = {{"banners", &BannersBook}, {"a", &ABook}, {"b", &BBook}};

}  // namespace

// The other books' booklets come from their own pages: ten numbered half pages, each story
// page's sentence printed, every picture made by the build.
TEST(BookletReports, EveryBookPrintsItsOwnTenPages) {
  for (const BookletCase& c : kBooklets) {
    SCOPED_TRACE(c.program);
    const ReportDef def = book::MakeBookletReport(c.book());
    ASSERT_EQ(def.bands.size(), 6u);
    std::set<std::string> texts;
    std::vector<std::string> pictures;
    for (const BandDef& band : def.bands) {
      EXPECT_EQ(band.height, 10750);
      for (const ReportItem& item : band.items) {
        if (item.kind == ItemKind::Text) texts.insert(item.text);
        if (item.kind == ItemKind::Picture) pictures.push_back(item.picture);
        EXPECT_LE(def.marginLeft + item.x + item.width, def.pageWidth) << item.text << item.picture;
        EXPECT_LE(item.y + item.height, band.height) << item.text << item.picture;
      }
    }
    for (int n = 1; n <= 10; ++n) EXPECT_TRUE(texts.count(std::to_string(n))) << "page number " << n;
    // Every story sentence is there, whole or broken into lines.
    std::string all;
    for (const std::string& t : texts) all += t + "  ";
    for (const book::PageDef& page : c.book().pages)
      for (const book::PageControl& control : page.controls)
        if (control.role == book::Role::Sentence) {
          std::istringstream words(control.text);
          for (std::string w; words >> w;) EXPECT_NE(all.find(w), std::string::npos) << w << " of " << control.text;
        }
    EXPECT_GE(pictures.size(), 6u + 1u);
    const auto dir = PictureDir();
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) continue;
    for (const std::string& picture : pictures) {
      bool found = false;
      for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string a = entry.path().filename().string(), b = picture;
        for (char& ch : a) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        for (char& ch : b) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        found |= a == b;
      }
      EXPECT_TRUE(found) << picture;
    }
  }
}

// A question's pictures stand in the order the screen shows them, each named under it: the
// flag book's last page once printed "Freedom" under the cannon.
TEST(BookletReports, EachLabelStandsUnderItsOwnPicture) {
  const ReportDef def = book::MakeBookletReport(BannersBook());
  const std::map<std::string, std::string> own = {
      {"Freedom", "FreeRel2.jpg"},  {"War", "war2.jpg"},   {"Sadness", "sad2.jpg"},
      {"Red and White", "REDWHITE.jpg"}, {"Red,White and Blue", "RWB.jpg"}, {"Red and Blue", "REDBLUE.jpg"}};
  int checked = 0;
  for (const BandDef& band : def.bands) {
    for (const ReportItem& label : band.items) {
      const auto it = own.find(label.text);
      if (label.kind != ItemKind::Text || it == own.end()) continue;
      const int centre = label.x + label.width / 2;
      const ReportItem* under = nullptr;
      for (const ReportItem& picture : band.items)
        if (picture.kind == ItemKind::Picture && picture.x <= centre && centre <= picture.x + picture.width &&
            picture.y < label.y && label.y - (picture.y + picture.height) < 500)
          under = &picture;
      ASSERT_NE(under, nullptr) << label.text;
      EXPECT_EQ(under->picture, it->second) << label.text;
      EXPECT_TRUE(label.shrink) << label.text << ": a label keeps to its picture's width";
      EXPECT_EQ(label.width, under->width) << label.text;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 6);
}

// Every picture and every text whose width is known stays a quarter inch from the paper's edge;
// the first sheet says how to make the book; a book that names nobody says whose it is.
TEST(BookletReports, EverythingStaysInsideTheSafeAreaAndTheCoverNamesItsChild) {
  for (const BookletCase& c : kBooklets) {
    SCOPED_TRACE(c.program);
    const ReportDef def = book::MakeBookletReport(c.book());
    for (const BandDef& band : def.bands) {
      for (const ReportItem& item : band.items) {
        if (item.kind == ItemKind::Text && item.width == 0) continue;
        if (item.picture == "BigCut.JPG") continue;  // the cutting line is cut away
        EXPECT_GE(def.marginLeft + item.x, kSafeMargin) << band.name << " " << item.text << item.picture;
        EXPECT_LE(def.marginLeft + item.x + item.width, def.pageWidth - kSafeMargin) << band.name << " " << item.text << item.picture;
        EXPECT_GE(def.marginTop + item.y, kSafeMargin) << band.name << " " << item.text << item.picture;
        EXPECT_LE(def.marginTop + item.y + item.height, def.pageHeight - kSafeMargin) << band.name << " " << item.text << item.picture;
      }
    }
    const auto& title = def.bands[0].items;
    EXPECT_TRUE(std::any_of(title.begin(), title.end(), [](const ReportItem& i) {
      return i.filled && i.text == "This book belongs to {child}";
    }));
    EXPECT_TRUE(std::any_of(title.begin(), title.end(), [](const ReportItem& i) {
      return i.text.rfind("Cut along the dotted lines", 0) == 0;
    }));
    // The first sheet shows the cover once: the publisher's title above it, not the cover again.
    EXPECT_EQ(std::count_if(title.begin(), title.end(), [&](const ReportItem& i) { return i.picture == c.book().framePicture; }), 1);
  }
}

// Not a check: draws every sheet of every booklet into the build folder for people to look at.
TEST(BookletReports, DISABLED_DrawSheetsForPeopleToLookAt) {
  const auto dir = PictureDir();
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) GTEST_SKIP() << "a build without pictures";
  EnsureGui();
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::vector<std::pair<std::string, ReportDef>> books = {{"fete", FeteReport()}};
  for (const BookletCase& c : kBooklets) books.emplace_back(c.program, book::MakeBookletReport(c.book()));
  for (const auto& [name, def] : books) {
    PreviewQueue queue;
    Report report(def);
    report.SetPreviewQueue(&queue);
    report.Open();
    for (const char* band : book::kBookletBands) report.Print(band);
    report.EndPage();
    for (std::size_t n = 1; n <= queue.Records(); ++n) {
      QFile file(QString::fromStdString(*queue.Get(n)));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      QImage sheet(425, 550, QImage::Format_RGB32);
      sheet.fill(Qt::white);
      QPainter painter(&sheet);
      PlayWmf(painter, file.readAll(), QRectF(0, 0, 425, 550));
      painter.end();
      sheet.save(QString("%1/../../booklet-%2-%3.png").arg(dir.string().c_str()).arg(name.c_str()).arg(n));
    }
    DeletePageFiles(queue);
  }
  std::filesystem::current_path(here);
}
