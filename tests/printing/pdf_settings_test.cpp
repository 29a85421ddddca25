// The writer's set-up: paper sizes, file names, information texts, opening, Reset.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "printing/pdf/PdfFileName.h"
#include "printing/pdf/PdfReportWriter.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/report/Report.h"

namespace {

using printing::PdfReportWriter;

TEST(PdfPaper, SizesInThousandthsOfAPoint) {
  struct Case {
    int code;
    std::int32_t units;
    std::int32_t width, height;
    int wantCode;
    std::int32_t wantWidth, wantHeight;
  };
  const Case cases[] = {
      {256, printing::PaperMillimetres, 210, 297, 256, 595276, 841890},
      {256, printing::PaperThousandthsOfAnInch, 8500, 11000, 256, 612000, 792000},
      {256, printing::PaperPoints, 612, 792, 256, 612000, 792000},
      {256, 12345, 612, 792, 0, 0, 0},              // unknown unit: each page file's own size
      {256, printing::PaperMillimetres, 0, 297, 0, 0, 0},
      {1, 0, 0, 0, 1, 612000, 792000},               // Letter from the paper table
      {9, 0, 0, 0, 9, 595276, 841890},               // A4
      {41, 0, 0, 0, 41, 612000, 936000},             // German Legal Fanfold 8 1/2 x 13 in
      {0, printing::PaperPoints, 612, 792, 0, 0, 0},
      {77, 0, 0, 0, 0, 0, 0},                        // no such paper
  };
  for (const Case& c : cases) {
    PdfReportWriter writer;
    writer.SetPaper(c.code, c.units, 1, 0, c.height, c.width);
    EXPECT_EQ(writer.PAPERCODE, c.wantCode) << c.code << " " << c.units;
    if (c.wantCode != 0) {
      EXPECT_EQ(writer.PAPERWIDTH, c.wantWidth) << c.code << " " << c.units;
      EXPECT_EQ(writer.PAPERHEIGHT, c.wantHeight) << c.code << " " << c.units;
    }
  }
}

TEST(PdfPaper, OrientationFollowsThePortraitSwitchAndCodeZeroResetsIt) {
  PdfReportWriter writer;
  writer.SetPaper(9, 0, 0, 1, 0, 0);
  EXPECT_EQ(writer.ORIENTATION, 1u);
  writer.SetPaper(9, 0, 1, 1, 0, 0);
  EXPECT_EQ(writer.ORIENTATION, 0u);
  writer.SetPaper(9, 0, 0, 1, 0, 0);
  writer.SetPaper(0, 0, 0, 1, 0, 0);
  EXPECT_EQ(writer.ORIENTATION, 0u);
}

TEST(PdfFileName, NamesResolveIntoTheFolderAndGetAnExtension) {
  const std::string here = std::filesystem::current_path().string();
  struct Case {
    std::string name, folder, want;
  };
  const Case cases[] = {
      {"comp1", "/srv/books", "/srv/books/comp1.pdf"},
      {"comp1.pdf", "/srv/books/", "/srv/books/comp1.pdf"},
      {"Sea4.pdf", "", here + "/Sea4.pdf"},
      {"/home/ann/Book", "/srv/books", "/home/ann/Book.pdf"},
      {"/home/ann/book.v2.txt", "/srv", "/home/ann/book.v2.txt"},
      {"sub/Book", "/srv", "/srv/sub/Book.pdf"},
      {"Book.", "/srv", "/srv/Book.pdf"},
      {"", "/srv", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(printing::ResolvePdfFileName(c.name, c.folder), c.want) << c.name;
}

TEST(PdfSetup, AnEmptyFolderMeansTheUsersPrivateTemporaryFolder) {
  wdrt::report::ReportDef def;
  def.landscape = true;
  wdrt::report::Report report(def);
  report.landscape = true;
  PdfReportWriter writer;
  writer.Init(report, "  comp1.pdf", "");
  const std::string folder = wdrt::PrivateTempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(writer.FOLDERNAME, folder);
  EXPECT_EQ(writer.FILENAME, folder + "/comp1.pdf");
  EXPECT_EQ(writer.ORIENTATION, 1u);
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Once set up, Init and Setup change nothing until Reset.
  writer.Setup("other", "/srv", true);
  EXPECT_EQ(writer.FILENAME, folder + "/comp1.pdf");
  writer.Setup("other", "/srv", false);
  EXPECT_EQ(writer.FILENAME, folder + "/comp1.pdf");
  writer.Reset();
  writer.Setup("other", "/srv", false);
  EXPECT_EQ(writer.FILENAME, "/srv/other.pdf");
  writer.Reset();
  writer.Setup("other", "/srv", true);  // the temporary folder wins over the one given
  EXPECT_EQ(writer.FILENAME, folder + "/other.pdf");
}

TEST(PdfSetup, TextsAreLeftJustifiedClippedOrEmpty) {
  PdfReportWriter writer;
  writer.SetAuthor(0, "   Ann  ");
  EXPECT_EQ(writer.AUTHOR, "Ann");
  writer.SetAuthor(1, "Ann");
  EXPECT_EQ(writer.AUTHOR, "");
  writer.SetTitle(0, std::string(400, 'T'));
  EXPECT_EQ(writer.TITLE.size(), 260u);
  writer.SetTitle(0, std::string(259, 'T') + "\xC3\xA9");  // é would be cut in half
  EXPECT_EQ(writer.TITLE, std::string(259, 'T'));
  writer.SetKeywords(0, std::string(2000, 'k'));
  EXPECT_EQ(writer.KEYWORDS.size(), 1023u);
  struct RunCase {
    int doRun, useDefault;
    std::string app, want;
  };
  const RunCase runs[] = {{1, 1, "evince", ""}, {1, 0, " evince", "evince"}, {0, 0, "evince", ""}};
  for (const RunCase& r : runs) {
    writer.SetRun(r.doRun, r.useDefault, r.app);
    EXPECT_EQ(writer.DORUN, r.doRun);
    EXPECT_EQ(writer.RUNAPPNAME, r.want);
  }
}

TEST(PdfSetup, ResetClearsTheJobButKeepsKeywordsPaperAndPasswords) {
  PdfReportWriter writer;
  writer.Setup("a", "/srv", false);
  writer.SetCompression(1, 1, 0, 2, 4);
  writer.SetAuthor(0, "Ann");
  writer.SetCreator(0, "C");
  writer.SetSubject(0, "S");
  writer.SetTitle(0, "T");
  writer.SetKeywords(0, "K");
  writer.SetRun(1, 0, "viewer");
  writer.SetPaper(9, 0, 1, 0, 0, 0);
  writer.SetPasswords("u", "o", 4, 128);
  writer.AddWatermark({});
  writer.Reset();
  EXPECT_EQ(writer.DONEINIT, 0);
  EXPECT_EQ(writer.VBCOMPRESS + writer.VBTEXT + writer.VBASCII + writer.VMONO + writer.VCOLOR, 0);
  EXPECT_EQ(writer.FILENAME + writer.AUTHOR + writer.CREATOR + writer.SUBJECT + writer.TITLE + writer.RUNAPPNAME, "");
  EXPECT_EQ(writer.DORUN, 0);
  EXPECT_TRUE(writer.WATERMARKS.empty());
  EXPECT_EQ(writer.KEYWORDS, "K");
  EXPECT_EQ(writer.PAPERCODE, 9);
  EXPECT_EQ(writer.USERPASSWORD, "u");
  EXPECT_EQ(writer.OWNERPASSWORD, "o");
}

}  // namespace
