// The previewer's parts without its window: the "Pages to Print" parser, the texts of page
// metafiles and their text layout, copies, the page-count placeholder, the printer queries
// and BMP files of clipboard bitmaps.
#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "rpvw32/MetafileTexts.h"
#include "rpvw32/PageRanges.h"
#include "rpvw32/TextExport.h"
#include "rpvw32/Utilities.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"
#include "tests/report/ReportTestSupport.h"

using namespace rpvw;
using wdrt::report::PreviewQueue;

namespace {

TEST(PagesToPrint, ValidTextsGiveOrderedRangesAndInvalidOnesNothing) {
  struct Case {
    const char* text;
    int pages;
    bool valid;
    bool all;
    std::vector<PageRange> ranges;
  };
  const Case cases[] = {
      {"1-2,5,7,12-15", 15, true, false, {{1, 2}, {5, 5}, {7, 7}, {12, 15}}},
      {"1-2,5,7,12-15", 12, false, false, {}},
      {"5-3", 10, true, false, {{5, 5}}},
      {"all", 3, true, true, {}},
      {"ALL", 3, true, true, {}},
      {"All", 3, true, true, {}},
      {"9,2-3", 10, true, false, {{2, 3}, {9, 9}}},
      {"0", 10, false, false, {}},
      {"1-0", 10, false, false, {}},
      {"", 10, false, false, {}},
      {"1,,2", 10, false, false, {}},
      {"1-2-3", 10, false, false, {}},
      {"1 2", 10, false, false, {}},
      {"a", 10, false, false, {}},
      {"-3", 10, false, false, {}},
      {"99999999999999999999", 10, false, false, {}},
      {"11", 10, false, false, {}},
  };
  for (const Case& c : cases) {
    const PagesToPrint parsed = ParsePagesToPrint(c.text, c.pages);
    EXPECT_EQ(parsed.valid, c.valid) << c.text;
    EXPECT_EQ(parsed.all, c.all) << c.text;
    EXPECT_EQ(parsed.ranges, c.ranges) << c.text;
  }
  EXPECT_TRUE(ParsePagesToPrint("alle", 3, "Alle").all);
  EXPECT_TRUE(InRanges({{2, 3}, {9, 9}}, 3));
  EXPECT_FALSE(InRanges({{2, 3}, {9, 9}}, 4));
}

class PageFiles : public ::testing::Test {
 protected:
  void SetUp() override { reporttest::EnsureGuiApp(); }
  void TearDown() override { wdrt::report::DeletePageFiles(queue_); }

  void Make(const std::vector<std::vector<wdrt::report::ReportItem>>& pages) {
    wdrt::report::ReportDef def;
    def.name = "Parts";
    for (std::size_t i = 0; i < pages.size(); ++i)
      def.bands.push_back({"P" + std::to_string(i + 1), wdrt::report::BandKind::Detail, 11000, pages[i]});
    wdrt::report::Report report(def);
    report.SetPreviewQueue(&queue_);
    report.Open();
    for (std::size_t i = 0; i < pages.size(); ++i) report.Print("P" + std::to_string(i + 1));
    report.EndPage();
  }
  QByteArray Bytes(int page) { return reporttest::ReadFile(*queue_.Get(static_cast<std::size_t>(page))); }

  PreviewQueue queue_;
};

TEST_F(PageFiles, TextsAreFoundAndLaidOutSixLinesAndTwelveAndAHalfColumnsAnInch) {
  using wdrt::report::ReportText;
  Make({{ReportText(2000, 3000, "Marker"), ReportText(0, 0, "Corner"), ReportText(4000, 3000, "Right")},
        {ReportText(1000, 1000, "Giraffe")}});
  EXPECT_TRUE(MetafileContains(Bytes(2), "Giraffe", true));
  EXPECT_TRUE(MetafileContains(Bytes(2), "GIRAFFE", false));
  EXPECT_FALSE(MetafileContains(Bytes(2), "GIRAFFE", true));
  EXPECT_FALSE(MetafileContains(Bytes(1), "Giraffe", false));

  const std::vector<std::string> lines = PageTextLines(Bytes(1), 66);
  ASSERT_EQ(lines.size(), 66u);
  EXPECT_EQ(lines[0], "Corner");  // the first cell takes what lies above or left of it
  ASSERT_GE(lines[17].size(), 24u);
  EXPECT_EQ(lines[17].substr(24), "Marker" + std::string(25 - 6, ' ') + "Right");
  // Lines 0: 150 with the empty ones dropped.
  EXPECT_EQ(PageTextLines(Bytes(1), 0), (std::vector<std::string>{lines[0], lines[17]}));
}

TEST_F(PageFiles, CountModeFillsTheFirstPlaceholderOfEveryPage) {
  using wdrt::report::ReportText;
  std::vector<std::vector<wdrt::report::ReportItem>> pages(12, {ReportText(500, 500, "Page ?PP? ?PP?")});
  Make(pages);
  AssignPageOfPages(queue_, true, 0, false, false, false, 0, false, "", "");
  for (int page = 1; page <= 12; ++page) {
    const QByteArray bytes = Bytes(page);
    EXPECT_TRUE(bytes.contains("Page   12 ?PP?")) << page;
  }
  // A given text in one page; with any flag set nothing happens.
  AssignPageOfPages(queue_, false, 4, false, false, true, 2, false, "?PP?", "XXXX");
  EXPECT_FALSE(Bytes(2).contains("XXXX"));
  AssignPageOfPages(queue_, false, 4, false, false, false, 2, false, "?PP?", "XX");
  EXPECT_TRUE(Bytes(2).contains("Page   12 XX  "));
  EXPECT_FALSE(Bytes(3).contains("XX  "));
}

TEST(ReplaceInFile, FindsATextAcrossTheBlockBoundaryAndNeverTheFirstByte) {
  const std::string dir = reporttest::MakeTempDir("assign");
  struct Case {
    std::size_t at;
    ReplaceResult expected;
  };
  // 4096-byte blocks from byte 1: the second block starts at 1 + 4096 − 3.
  for (const Case c : {Case{0, ReplaceResult::NotFound}, Case{1, ReplaceResult::Replaced},
                       Case{4095, ReplaceResult::Replaced}, Case{4096, ReplaceResult::Replaced},
                       Case{9000, ReplaceResult::Replaced}}) {
    std::string bytes(10000, 'x');
    bytes.replace(c.at, 4, "?PP?");
    const std::string file = dir + "/f" + std::to_string(c.at);
    reporttest::WriteFile(file, QByteArray::fromStdString(bytes));
    EXPECT_EQ(ReplaceFirstInFile(file, "?PP?", "  12"), c.expected) << c.at;
    if (c.expected == ReplaceResult::Replaced) {
      EXPECT_EQ(reporttest::ReadFile(file).mid(static_cast<int>(c.at), 4), QByteArray("  12")) << c.at;
    }
  }
  EXPECT_EQ(ReplaceFirstInFile(dir + "/missing", "?PP?", "1"), ReplaceResult::OpenError);
  std::filesystem::remove_all(dir);
}

TEST(Bitmaps, ADibBecomesABmpWithTheFileHeaderBeforeIt) {
  const std::string dir = reporttest::MakeTempDir("bmp");
  QImage image(5, 3, QImage::Format_RGB32);
  image.fill(QColor(10, 20, 30));
  const QByteArray dib = DibFromImage(image);
  ASSERT_EQ(dib.size(), 40 + 16 * 3);  // rows of 5 × 3 bytes padded to 16
  ASSERT_TRUE(WriteDibAsBmp(dib, dir + "/a.bmp"));
  const QByteArray bmp = reporttest::ReadFile(dir + "/a.bmp");
  ASSERT_EQ(bmp.size(), 14 + 40 + 48);
  EXPECT_EQ(bmp.left(2), QByteArray("BM"));
  EXPECT_EQ(static_cast<unsigned char>(bmp[2]), 14 + 40 + 48);
  EXPECT_EQ(static_cast<unsigned char>(bmp[10]), 54);  // pixels right after the headers
  QImage back;
  ASSERT_TRUE(back.loadFromData(bmp, "BMP"));
  EXPECT_EQ(back.pixelColor(4, 2), QColor(10, 20, 30));
  // An 8-bit DIB carries 256 colours; a header of another size or a short DIB writes nothing.
  QByteArray eight = dib.left(40);
  eight[14] = 8;
  eight.append(QByteArray(256 * 4 + 8 * 3, '\0'));
  ASSERT_TRUE(WriteDibAsBmp(eight, dir + "/b.bmp"));
  EXPECT_EQ(static_cast<unsigned char>(reporttest::ReadFile(dir + "/b.bmp")[11]), (54 + 1024) >> 8);
  QByteArray other = dib;
  other[0] = 12;
  EXPECT_FALSE(WriteDibAsBmp(other, dir + "/c.bmp"));
  EXPECT_FALSE(WriteDibAsBmp(dib.left(60), dir + "/d.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/c.bmp"));
  std::filesystem::remove_all(dir);
}

class PrinterQueries : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    reporttest::EnsureGuiApp();
    printer_ = new reporttest::PrivatePrinter();
  }
  static void TearDownTestSuite() {
    delete printer_;
    printer_ = nullptr;
    wdrt::report::ResetPrinterForTest();
  }
  void SetUp() override {
    ASSERT_TRUE(printer_->Ok());
    wdrt::report::ResetPrinterForTest();
  }
  static reporttest::PrivatePrinter* printer_;
};
reporttest::PrivatePrinter* PrinterQueries::printer_ = nullptr;

TEST_F(PrinterQueries, SupportedReadsTheFieldMaskAndRefusesOtherNumbers) {
  auto printer = wdrt::report::CurrentPrinter();
  ASSERT_EQ(printer.device, printer_->Queue());
  for (int number : {31488, 31500, 31518, 31520, 0}) EXPECT_EQ(Supported(number), -1) << number;
  printer.devMode.dmFields = wdrt::report::DM_ORIENTATION | wdrt::report::DM_COPIES;
  wdrt::report::StorePrinterSettings(printer);
  EXPECT_EQ(Supported(31519), 1);
  EXPECT_EQ(Supported(31493), 1);
  EXPECT_EQ(Supported(31489), 0);
  EXPECT_EQ(Supported(31496), 0);
}

TEST_F(PrinterQueries, CopiesAreAppendedUnlessThePrinterMakesThem) {
  PreviewQueue pages;
  pages.Add("/p1");
  pages.Add("/p2");
  auto printer = wdrt::report::CurrentPrinter();
  printer.devMode.dmFields |= wdrt::report::DM_COPIES;
  printer.devMode.dmCollate = 1;  // a collating printer: the list carries the copies
  wdrt::report::StorePrinterSettings(printer);
  HandleCopies(pages, 3);
  EXPECT_EQ(pages.Names(), (std::vector<std::string>{"/p1", "/p2", "/p1", "/p2", "/p1", "/p2"}));
  PreviewQueue two;
  two.Add("/p1");
  HandleCopies(two, 1);
  EXPECT_EQ(two.Records(), 1u);
  printer.devMode.dmCollate = 0;  // the driver makes the copies itself
  wdrt::report::StorePrinterSettings(printer);
  HandleCopies(two, 3);
  EXPECT_EQ(two.Records(), 1u);
  printer.devMode.dmFields &= ~wdrt::report::DM_COPIES;
  wdrt::report::StorePrinterSettings(printer);
  HandleCopies(two, 2);
  EXPECT_EQ(two.Records(), 2u);
}

TEST_F(PrinterQueries, PapersAndResolutionsComeFromTheDestination) {
  const auto printer = wdrt::report::CurrentPrinter();
  ASSERT_FALSE(printer.papers.empty());
  std::vector<std::string> list;
  const std::string last = PaperSupport(0, &list);
  ASSERT_FALSE(list.empty());
  EXPECT_LE(list.size(), 64u);
  for (const std::string& line : list) EXPECT_EQ(line.substr(3, 3), " - ") << line;
  EXPECT_EQ(list.back().substr(6, last.size()), last);
  const auto first = *std::find_if(printer.papers.begin(), printer.papers.end(),
                                   [](const auto& p) { return p.code != 0; });
  EXPECT_EQ(PaperSupport(static_cast<std::int16_t>(first.code), nullptr), first.name.substr(0, 32));
  EXPECT_EQ(PaperSupport(9999, nullptr), "");
  const int count = SetPrinterDraftMode();
  EXPECT_EQ(count, static_cast<int>(std::min<std::size_t>(printer.resolutions.size(), 10)));
  if (count > 1) {
    const auto now = wdrt::report::CurrentPrinter();
    EXPECT_EQ(now.devMode.dmPrintQuality, printer.resolutions[static_cast<std::size_t>(count - 1)].first);
  }
}

}  // namespace
