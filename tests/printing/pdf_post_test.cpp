// Post-processing on qpdf: watermarks on every page, outlines from indicator texts, passwords.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "PdfTestSupport.h"
#include "printing/pdf/PdfBookmarker.h"
#include "printing/pdf/PdfReportWriter.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using printing::PdfReportWriter;
std::string Shell(const std::string& command, int* code = nullptr) { return reporttest::Run(command, code); }
using namespace wdrt::report;

// One page per band, each page with the texts given.
ReportDef TextReport(const std::vector<std::vector<std::string>>& pages) {
  ReportDef def;
  def.name = "Texts";
  for (std::size_t p = 0; p < pages.size(); ++p) {
    BandDef band;
    band.name = "P" + std::to_string(p);
    band.height = 10900;
    int y = 500;
    for (const std::string& text : pages[p]) {
      band.items.push_back(ReportText(800, y, text, {"Arial", 14, false, wdrt::kBlack}));
      y += 600;
    }
    def.bands.push_back(band);
  }
  return def;
}

TEST(PdfWatermark, TextWatermarkOnEveryPageOverAndUnder) {
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(TextReport({{"one"}, {"two"}, {"three"}}), 1, pages.queue));
  const std::string dir = reporttest::MakeTempDir("pdf-watermark");
  for (std::uint8_t order : {0, 1}) {
    PdfReportWriter writer;
    writer.Setup("marked" + std::to_string(order), dir, false);
    printing::WatermarkEntry mark;
    mark.WMKTYPE = 0;
    mark.NAMETEXT = "GRANDMA COPY";
    mark.FONTSIZE = 40;
    mark.COLOR = 0x00C0C0C0;
    mark.ANGLE = 45;
    mark.TEXTMODE = order == 0 ? 1 : 0;
    mark.LINEWIDTH = 1.5;
    mark.ORDERTYPE = order;
    writer.AddWatermark(mark);
    ASSERT_EQ(writer.Generate(pages.queue, false), 1);
    int code = -1;
    Shell("qpdf --check '" + writer.FILENAME + "'", &code);
    EXPECT_EQ(code, 0);
    ASSERT_EQ(reporttest::PdfPages(writer.FILENAME), 3);
    const char* own[] = {"one", "two", "three"};
    for (int page = 1; page <= 3; ++page) {
      const std::string text = reporttest::PdfText(writer.FILENAME, page, page);
      // Turned text comes out of pdftotext word by word.
      EXPECT_NE(text.find("GRANDMA"), std::string::npos) << "page " << page << ": " << text;
      EXPECT_NE(text.find("COPY"), std::string::npos) << "page " << page << ": " << text;
      EXPECT_NE(text.find(own[page - 1]), std::string::npos) << "page " << page;
    }
  }
}

TEST(PdfWatermark, JpegImageWatermarkKeepsItsBytes) {
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(TextReport({{"one"}, {"two"}}), 1, pages.queue));
  const std::string dir = reporttest::MakeTempDir("pdf-imagemark");
  const QByteArray jpeg = reporttest::MakeJpeg(120, 80, 0xCC3333);
  reporttest::WriteFile(dir + "/stamp.jpg", jpeg);
  PdfReportWriter writer;
  writer.Setup("stamped", dir, false);
  printing::WatermarkEntry mark;
  mark.WMKTYPE = 1;
  mark.NAMETEXT = dir + "/stamp.jpg";
  mark.IMAGEWIDTH = 240;
  mark.IMAGEHEIGHT = 240;
  mark.KEEPASPECT = 1;
  mark.PLACETYPE = 2;
  writer.AddWatermark(mark);
  ASSERT_EQ(writer.Generate(pages.queue, false), 1);
  const std::string list = Shell("pdfimages -list '" + writer.FILENAME + "'");
  EXPECT_NE(list.find("   1     0 image     120    80  rgb     3   8  jpeg"), std::string::npos) << list;
  EXPECT_NE(list.find("   2     1 image     120    80  rgb     3   8  jpeg"), std::string::npos) << list;
  std::filesystem::create_directories(dir + "/out");
  Shell("pdfimages -f 1 -l 1 -all '" + writer.FILENAME + "' '" + dir + "/out/i'");
  EXPECT_EQ(reporttest::ReadFile(dir + "/out/i-000.jpg"), jpeg);
}

// The outline as "title@page{children} next ...".
std::string OutlineOf(const std::string& file) {
  QPDF pdf;
  pdf.processFile(file.c_str());
  std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
  QPDFOutlineDocumentHelper outlines(pdf);
  std::function<std::string(std::vector<QPDFOutlineObjectHelper>)> show = [&](std::vector<QPDFOutlineObjectHelper> items) {
    std::string out;
    for (QPDFOutlineObjectHelper& item : items) {
      if (!out.empty()) out += " ";
      out += item.getTitle() + "@";
      const QPDFObjGen target = item.getDestPage().getObjGen();
      for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i].getObjectHandle().getObjGen() == target) out += std::to_string(i + 1);
      if (!item.getKids().empty()) out += "{" + show(item.getKids()) + "}";
    }
    return out;
  };
  return show(outlines.getTopLevelOutlines());
}

TEST(PdfBookmarks, IndicatorTextsMakeAnOutlineWithTitlesLevelsAndPages) {
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(TextReport({{"#1The Party", "plain text"},
                                              {"#2Balloons", "#2Cake"},
                                              {"#1The Park", "#2Swings", "#3Big swing"},
                                              {"nothing here"}}),
                                 1, pages.queue));
  const std::string dir = reporttest::MakeTempDir("pdf-outline");
  PdfReportWriter writer;
  writer.Setup("outlined", dir, false);
  writer.BOOKMARKS.AddLevelCode("#1", 1);
  writer.BOOKMARKS.AddLevelCode("#2", 2);
  writer.BOOKMARKS.AddLevelCode("#3", 3);
  writer.SetBookmarks(true);
  ASSERT_EQ(writer.Generate(pages.queue, false), 1);
  ASSERT_EQ(writer.BOOKMARKS.BOOKMARKS.size(), 6u);
  // COUNT: the children of an entry, or 1.
  const int counts[] = {2, 1, 1, 1, 1, 1};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(writer.BOOKMARKS.BOOKMARKS[i].COUNT, counts[i]) << i;

  // Read back with qpdf: titles, nesting and target pages (from 1).
  EXPECT_EQ(OutlineOf(writer.FILENAME),
            "The Party@1{Balloons@2 Cake@2} The Park@3{Swings@3{Big swing@3}}");
  // The outline tree itself.
  printing::Outline outline = writer.BOOKMARKS.BuildOutline();
  const PdfOutlineNode* first = outline.First();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first->NEXT, nullptr);
  EXPECT_STREQ(first->NEXT->TITLE, "The Park");
  EXPECT_EQ(first->NEXT->PREV, first);
  EXPECT_STREQ(first->FIRSTCHILD->TITLE, "Balloons");
  EXPECT_STREQ(first->LASTCHILD->TITLE, "Cake");
  EXPECT_EQ(first->LASTCHILD->PARENT, first);
  EXPECT_STREQ(first->NEXT->FIRSTCHILD->FIRSTCHILD->TITLE, "Big swing");
}

TEST(PdfPasswords, AProtectedFileNeedsItsPasswordAndUsesAes) {
  pdftest::PageFiles pages;
  ASSERT_TRUE(pdftest::MakePages(TextReport({{"secret page"}}), 1, pages.queue));
  const std::string dir = reporttest::MakeTempDir("pdf-password");
  struct Case {
    int keyLength;
    const char* wanted;  // in qpdf --show-encryption
  };
  const Case cases[] = {{0, "R = 6"}, {256, "R = 6"}, {128, "R = 4"}, {40, "R = 4"}};
  for (const Case& c : cases) {
    PdfReportWriter writer;
    writer.Setup("locked" + std::to_string(c.keyLength), dir, false);
    writer.SetPasswords("grandma", "", 4 | 2048, c.keyLength);
    ASSERT_EQ(writer.Generate(pages.queue, false), 1);
    int code = -1;
    Shell("pdfinfo '" + writer.FILENAME + "' 2>&1", &code);
    EXPECT_NE(code, 0) << c.keyLength;
    const std::string info = Shell("pdfinfo -upw grandma '" + writer.FILENAME + "' 2>&1", &code);
    EXPECT_EQ(code, 0) << info;
    EXPECT_NE(info.find("Encrypted:       yes"), std::string::npos) << info;
    const std::string shown = Shell("qpdf --show-encryption --password=grandma '" + writer.FILENAME + "' 2>&1");
    EXPECT_NE(shown.find(c.wanted), std::string::npos) << shown;
    EXPECT_NE(shown.find("AES"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("RC4"), std::string::npos) << shown;
    // With the empty owner password nothing opens it either.
    Shell("pdfinfo -opw '' '" + writer.FILENAME + "' 2>&1", &code);
    EXPECT_NE(code, 0);
  }
}

}  // namespace
