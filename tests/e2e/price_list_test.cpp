// The price list and order form of the menus end to end: read from the price table in licence
// order, previewed and printed on the test's own CUPS printer, then read back from the job.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "MenuRun.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using e2e::LinesWith;

const std::string kAtrium = "Blockwork";
const std::string kShaped = "expect window-regio[n]\n";

class PriceList : public reporttest::PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
  }

  // A price table in the menu's folder: the shipped list, `times` over.
  static void WritePrices(const e2e::MenuDesktop& desktop, int times) {
    const std::string tool = std::string(STORYLOOM_BINARY_DIR) + "/tools/make_prices";
    int code = 0;
    reporttest::Run("'" + tool + "' '" + desktop.workDir + "/PRICES' " + std::to_string(times), &code);
    ASSERT_EQ(code, 0);
  }

  // Previews from atrium's menu, takes `steps` in the preview, and prints every page.
  static e2e::RunResult PreviewAndPrint(const e2e::MenuDesktop& desktop, const std::string& steps = "") {
    return e2e::RunMenu(desktop, "atrium",
                        kShaped + "press " + kAtrium + " \"Snail mail ordering form\"\n"
                                  "expect \"preview-open \"\n"
                                  "screenshot " + desktop.root + "/preview.png \"Report Preview\"\n" +
                                  steps +
                                  "press \"Report Preview\" ?PRINT\n"
                                  "answer Ok printer=" + printer_->Queue() + "\n"
                                  "expect \"print-job \\\"storyloom-test\\\"\"\n"
                                  // The menu takes input again once the job is printed.
                                  "expect \"close-window [0-9]+ .Printing.\"\n"
                                  "close " + kAtrium + "\n");
  }

  // The printed job's text page by page, laid out as on paper.
  static std::vector<std::string> PrintedPages() {
    std::vector<std::string> pages;
    if (!printer_->WaitForJob(60)) return pages;
    const int count = reporttest::PdfPages(printer_->JobFile());
    for (int page = 1; page <= count; ++page)
      pages.push_back(reporttest::Run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                      " '" + printer_->JobFile() + "' -"));
    return pages;
  }

  // (licence type, theme) of every product line, in the order printed.
  static std::vector<std::pair<std::string, std::string>> ProductLines(const std::vector<std::string>& pages) {
    static const std::regex product(R"(^\s*(Alphabet|Birthday|Flags|School|Weather)\s.*\s(Site|Individual)\s)");
    std::vector<std::pair<std::string, std::string>> found;
    for (const std::string& page : pages) {
      std::istringstream lines(page);
      std::smatch m;
      for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, m, product)) found.emplace_back(m[2], m[1]);
    }
    return found;
  }

  static std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  static std::vector<std::string> PageFilesLeft(const e2e::MenuDesktop& desktop) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(desktop.root + "/runtime", ec))
      if (entry.path().extension() == ".wmf") found.push_back(entry.path().string());
    return found;
  }

};

bool LicenceThenTheme(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) {
  return a.first != b.first ? a.first > b.first : a.second < b.second;
}

TEST_F(PriceList, PrintsTheHeadingOnceTheProductsInLicenceOrderAndTheOrderFormLast) {
  const e2e::MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  WritePrices(desktop, 1);
  const e2e::RunResult run =
      PreviewAndPrint(desktop, "press \"Report Preview\" ?LASTPAGE\nexpect \"preview-page 2 \"\n"
                               "press \"Report Preview\" ?FULLHEIGHT\nsleep 300\n"
                               "screenshot " + desktop.root + "/order-form.png \"Report Preview\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "preview-open 2 ").size(), 1u);
  const std::vector<std::string> pages = PrintedPages();
  ASSERT_EQ(pages.size(), 2u);
  std::string all;
  for (const std::string& page : pages) all += page;
  EXPECT_EQ(Count(all, "Zarezuzavar E-Zevuz"), 1u);
  EXPECT_EQ(Count(pages[0], "Zarezuzavar E-Zevuz"), 1u);
  EXPECT_EQ(Count(all, "Order Form"), 1u);
  EXPECT_EQ(Count(pages.back(), "Order Form"), 1u);
  // Every page carries the page header with the two licences.
  for (const std::string& page : pages) EXPECT_EQ(Count(page, "Site License:"), 1u);
  const auto products = ProductLines(pages);
  ASSERT_EQ(products.size(), 10u);
  EXPECT_TRUE(std::is_sorted(products.begin(), products.end(), LicenceThenTheme));
  EXPECT_EQ(products.front(), std::make_pair(std::string("Site"), std::string("Alphabet")));
  EXPECT_EQ(products.back(), std::make_pair(std::string("Individual"), std::string("Weather")));
  // The detail line shows the price with its cents and the number of books.
  EXPECT_NE(all.find("199.00"), std::string::npos);
  EXPECT_TRUE(std::regex_search(all, std::regex(R"(letters and their first words\s+26\s+199\.00)")));
  EXPECT_TRUE(PageFilesLeft(desktop).empty()) << "every page file is deleted";
  EXPECT_GT(e2e::PictureWidth(desktop.root + "/order-form.png"), 0);
}

TEST_F(PriceList, AListOfManyPagesKeepsItsOrderAcrossPages) {
  const e2e::MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  WritePrices(desktop, 25);
  const e2e::RunResult run = PreviewAndPrint(desktop);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::vector<std::string> pages = PrintedPages();
  ASSERT_GE(pages.size(), 7u);
  const auto products = ProductLines(pages);
  ASSERT_EQ(products.size(), 250u);
  EXPECT_TRUE(std::is_sorted(products.begin(), products.end(), LicenceThenTheme));
  std::string all;
  for (const std::string& page : pages) all += page;
  EXPECT_EQ(Count(all, "Zarezuzavar E-Zevuz"), 1u);
  EXPECT_EQ(Count(pages.back(), "Order Form"), 1u);
  for (const std::string& page : pages) EXPECT_EQ(Count(page, "Site License:"), 1u);
  EXPECT_EQ(LinesWith(run.journal, "report-page ").size(), pages.size());
}

TEST_F(PriceList, AnEmptyTableHasNothingToPreviewAndOpensNoReport) {
  const e2e::MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  const std::string letters = "\"                     Alphabet books\"";
  const e2e::RunResult run = e2e::RunMenu(desktop, "letters",
                                          kShaped + "press " + letters + " \"Snail mail ordering form\"\n"
                                                    "answer Ok\n"
                                                    "expect \"message \\\"NOTE...\\\" \\\"Nothing to Preview.\\\"\"\n"
                                                    "close " + letters + "\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(LinesWith(run.journal, "report-page").empty()) << "not even the order form";
  EXPECT_TRUE(LinesWith(run.journal, "preview-open").empty());
  EXPECT_EQ(LinesWith(run.journal, "Nothing to Preview.\" ->").size(), 1u);
}

}  // namespace
