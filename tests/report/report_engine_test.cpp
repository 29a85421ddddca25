// The report engine: bands laid out down the page, a band that no longer fits on a new page,
// page headers and footers, one metafile per finished page listed in order in the caller's
// page list (private, unguessable, or the namer's names), and the failures reported as codes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "runtime/core/Journal.h"
#include "runtime/report/Report.h"
#include "runtime/report/WmfFormat.h"
#include "tests/report/ReportTestSupport.h"

using namespace wdrt::report;

namespace {

ReportDef TwoBandReport(const std::string& picture) {
  ReportDef def;
  def.name = "TestReport";
  def.marginLeft = 208;
  def.marginTop = 125;
  def.marginBottom = 125;
  BandDef sheet{"SHEET", BandKind::Detail, 10750, {}};
  sheet.items.push_back(ReportPicture(picture, 594, 208, 7000, 4521));
  sheet.items.push_back(ReportText(646, 281, "Hi, my name is Zuli.", {"Arial", 48, true, wdrt::kWhite}));
  sheet.items.push_back(ReportText(646, 6000, "Where was her party?", {"Arial", 11, false, wdrt::MakeRgb(255, 0, 0)}));
  sheet.items.push_back(ReportBox(500, 7000, 3000, 1500));
  def.bands.push_back(sheet);
  def.bands.push_back(BandDef{"LINE", BandKind::Detail, 1000, {ReportText(0, 0, "A line of the list")}});
  return def;
}

int Count(const std::string& file, std::uint16_t function) {
  const auto* p = reinterpret_cast<const unsigned char*>(file.data());
  std::size_t at = kPlaceableHeaderBytes + kStandardHeaderBytes;
  int n = 0;
  while (at + 6 <= file.size()) {
    const std::uint32_t words = ReadU32(p + at);
    if (ReadU16(p + at + 4) == function) ++n;
    if (words < 3) break;
    at += words * 2;
  }
  return n;
}

class ReportEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    reporttest::EnsureGuiApp();
    dir_ = reporttest::MakeTempDir("report");
    picture_ = dir_ + "/party.jpg";
    jpeg_ = reporttest::MakeJpeg(120, 80);
    reporttest::WriteFile(picture_, jpeg_);
  }
  void TearDown() override {
    DeletePageFiles(queue_);
    std::filesystem::remove_all(dir_);
  }
  std::string dir_, picture_;
  QByteArray jpeg_;
  PreviewQueue queue_;
};

}  // namespace

TEST_F(ReportEngine, EachFullPageBandMakesOnePageFileInOrder) {
  Report report(TwoBandReport(picture_));
  report.SetPreviewQueue(&queue_);
  report.Open();
  const long before = wdrt::JournalLineCount();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(report.Print("sheet"), ReportOk);  // any case
  EXPECT_EQ(queue_.Records(), 2u) << "the third sheet is still open";
  EXPECT_EQ(report.EndPage(), ReportOk);
  EXPECT_EQ(report.EndPage(), ReportOk) << "an empty page makes no file";
  ASSERT_EQ(queue_.Records(), 3u);
  EXPECT_EQ(report.PagesDone(), 3);

  const auto lines = wdrt::JournalLines();
  std::vector<std::string> pages;
  for (std::size_t i = static_cast<std::size_t>(before); i < lines.size(); ++i)
    if (lines[i].find("report-page ") != std::string::npos) pages.push_back(lines[i]);
  ASSERT_EQ(pages.size(), 3u);
  for (int n = 1; n <= 3; ++n) {
    const std::string name = *queue_.Get(static_cast<std::size_t>(n));
    EXPECT_NE(pages[static_cast<std::size_t>(n - 1)].find("report-page " + std::to_string(n) + " \"" + name + "\""),
              std::string::npos);
    // Private: the folder is the user's alone, the file too, and its name cannot be guessed.
    struct stat st {};
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(std::filesystem::path(name).parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(std::regex_search(name, std::regex("/page-[0-9a-f]{16}\\.wmf$"))) << name;
    EXPECT_LE(name.size(), kPreviewImageSize);
    const std::string file = reporttest::ReadFile(name).toStdString();
    EXPECT_EQ(Count(file, META_STRETCHDIB), 1);
    EXPECT_EQ(Count(file, META_EXTTEXTOUT), 2);
    EXPECT_EQ(Count(file, META_RECTANGLE), 1 + 1);  // the box and the invisible page frame
    EXPECT_NE(file.find(jpeg_.toStdString()), std::string::npos) << "the picture's own bytes";
  }
}

TEST_F(ReportEngine, BandsThatDoNotFitStartANewPageUnderItsHeaderAndAboveItsFooter) {
  ReportDef def = TwoBandReport(picture_);
  def.bands.push_back(BandDef{"HEAD", BandKind::PageHeader, 1000, {ReportText(0, 0, "Price list")}});
  def.bands.push_back(BandDef{"FOOT", BandKind::PageFooter, 500, {ReportText(0, 0, "Thank you")}});
  Report report(def);
  report.SetPreviewQueue(&queue_);
  report.Open();
  // Printable: 11000 - 125 top - 125 bottom - 1000 header - 500 footer = 9250: nine lines a page.
  for (int i = 0; i < 20; ++i) ASSERT_EQ(report.Print("LINE"), ReportOk);
  report.EndPage();
  ASSERT_EQ(queue_.Records(), 3u);
  const std::string first = reporttest::ReadFile(*queue_.Get(1)).toStdString();
  EXPECT_EQ(Count(first, META_EXTTEXTOUT), 9 + 2);
  const std::string last = reporttest::ReadFile(*queue_.Get(3)).toStdString();
  EXPECT_EQ(Count(last, META_EXTTEXTOUT), 2 + 2);
  EXPECT_NE(first.find("Price list"), std::string::npos);
  EXPECT_NE(last.find("Thank you"), std::string::npos);
}

TEST_F(ReportEngine, TheCallersNamerNamesThePages) {
  Report report(TwoBandReport(picture_));
  report.SetPreviewQueue(&queue_);
  std::vector<int> asked;
  report.SetTempFileNamer([&](int page) {
    asked.push_back(page);
    return dir_ + "/2345" + std::to_string(1000 + page).substr(0) + ".wmf";
  });
  report.Open();
  report.Print("SHEET");
  report.Print("SHEET");
  report.EndPage();
  EXPECT_EQ(asked, (std::vector<int>{1, 2}));
  EXPECT_EQ(*queue_.Get(2), dir_ + "/23451002.wmf");
  EXPECT_GT(std::filesystem::file_size(*queue_.Get(2)), 1000u);
}

TEST_F(ReportEngine, FailuresAreReportedAsCodes) {
  Report report(TwoBandReport(picture_));
  report.SetPreviewQueue(&queue_);
  EXPECT_EQ(report.Print("SHEET"), ReportNotOpen);
  report.Open();
  EXPECT_EQ(report.Print("NOSUCHBAND"), ReportNoSuchBand);

  // A name longer than the page list holds: the page is refused and its file removed.
  const std::string longName = dir_ + "/" + std::string(130, 'n') + ".wmf";
  report.SetTempFileNamer([&](int) { return longName; });
  report.Print("SHEET");
  EXPECT_EQ(report.EndPage(), ReportNameTooLong);
  EXPECT_FALSE(std::filesystem::exists(longName));
  EXPECT_EQ(queue_.Records(), 0u);

  // A folder that does not exist.
  report.SetTempFileNamer([&](int) { return dir_ + "/missing/page.wmf"; });
  report.Print("SHEET");
  EXPECT_EQ(report.EndPage(), ReportCannotWritePage);

  // A text that no code page holds is left out and reported; the page still prints.
  ReportDef def = TwoBandReport(picture_);
  def.bands.push_back(BandDef{"NAME", BandKind::Detail, 1000, {ReportText(0, 0, "李娜")}});
  Report named(def);
  named.SetPreviewQueue(&queue_);
  named.Open();
  EXPECT_EQ(named.Print("NAME"), ReportUnprintableText);
  EXPECT_EQ(named.EndPage(), ReportOk);
  EXPECT_EQ(queue_.Records(), 1u);

  // Close forgets an unfinished page: nothing is written after the caller's list is gone.
  named.Print("SHEET");
  named.Close();
  EXPECT_EQ(queue_.Records(), 1u);
}

TEST_F(ReportEngine, LandscapePagesExchangeWidthAndHeight) {
  Report report(TwoBandReport(picture_));
  report.landscape = true;
  report.SetPreviewQueue(&queue_);
  report.Open();
  report.Print("LINE");
  report.EndPage();
  const std::string file = reporttest::ReadFile(*queue_.Get(1)).toStdString();
  const auto* p = reinterpret_cast<const unsigned char*>(file.data());
  EXPECT_EQ(ReadS16(p + 10), 11000);
  EXPECT_EQ(ReadS16(p + 12), 8500);
}
