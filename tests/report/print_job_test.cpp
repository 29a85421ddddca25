// Printing through a real CUPS server of the test's own: page files flushed as one job with
// copies, collation, page range and orientation honoured; the printer's capabilities read
// into the settings record; the printer dialog's choices kept; no printer at all handled.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "runtime/core/Journal.h"
#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/flush/Flush.h"
#include "runtime/report/PrintJob.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"
#include "tests/report/ReportTestSupport.h"

using namespace wdrt::report;

namespace {

class Printing : public reporttest::PrinterTest {
 protected:
  static void SetUpTestSuite() {
    reporttest::EnsureGuiApp();
    PrinterTest::SetUpTestSuite();
  }
  void SetUp() override {
    PrinterTest::SetUp();
    ResetPrinterForTest();
  }
  void TearDown() override { DeletePageFiles(queue_); }

  // `pages` pages, each with its own text "Text of page <n>".
  void MakePages(int pages, bool landscape = false) {
    ReportDef def;
    def.name = "PrintTest";
    def.marginLeft = 500;
    def.marginTop = 500;
    for (int n = 1; n <= pages; ++n)
      def.bands.push_back(
          BandDef{"P" + std::to_string(n), BandKind::Detail, 9000,
                  {ReportText(0, 0, "Text of page " + std::to_string(n), {"Arial", 24, true, wdrt::kBlack}),
                   ReportBox(0, 1000, 4000, 2000)}});
    Report report(def);
    report.landscape = landscape;
    report.SetPreviewQueue(&queue_);
    report.Open();
    for (int n = 1; n <= pages; ++n) report.Print("P" + std::to_string(n));
    report.EndPage();
    ASSERT_EQ(queue_.Records(), static_cast<std::size_t>(pages));
  }

  PreviewQueue queue_;
};

}  // namespace

TEST_F(Printing, CollatedCopiesArriveAsOneJobWithEveryPage) {
  MakePages(3);
  PrintJobSettings job;
  job.copies = 2;
  job.collate = true;
  job.jobText = "PrintTest";
  const long before = wdrt::JournalLineCount();
  ASSERT_EQ(wdrt::FlushPages(queue_, job), PrintDone);
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 6);
  const std::string second = reporttest::PdfText(printer_->JobFile(), 2, 2);
  EXPECT_NE(second.find("Text of page 2"), std::string::npos) << second;
  const std::string fourth = reporttest::PdfText(printer_->JobFile(), 4, 4);
  EXPECT_NE(fourth.find("Text of page 1"), std::string::npos) << "collated: 1 2 3 1 2 3";
  EXPECT_GE(wdrt::WaitForJournalLine("print-job \"storyloom-test\" 3 2", before, std::chrono::seconds(10)), 0);
}

TEST_F(Printing, PageRangeAndLandscapeAreHonoured) {
  MakePages(4, true);
  PrintJobSettings job;
  job.pageFrom = 2;
  job.pageTo = 3;
  job.landscape = true;
  ASSERT_EQ(wdrt::FlushPages(queue_, job), PrintDone);
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 2);
  const std::string text = reporttest::PdfText(printer_->JobFile());
  EXPECT_NE(text.find("Text of page 2"), std::string::npos);
  EXPECT_NE(text.find("Text of page 3"), std::string::npos);
  EXPECT_EQ(text.find("Text of page 1"), std::string::npos);
  // The paper feeds as it always does; landscape pages arrive turned on it, so their words
  // run up the sheet: each word's box is taller than it is wide.
  const std::string boxes = reporttest::Run("pdftotext -f 1 -l 1 -bbox '" + printer_->JobFile() + "' - 2>/dev/null");
  std::smatch word;
  ASSERT_TRUE(std::regex_search(boxes, word, std::regex(
      "xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">Text<")));
  const double width = std::stod(word[3]) - std::stod(word[1]);
  const double height = std::stod(word[4]) - std::stod(word[2]);
  EXPECT_GT(height, 1.5 * width) << boxes.substr(0, 400);

  job.pageFrom = 5;  // outside the list: nothing to print, no job
  job.pageTo = 9;
  EXPECT_EQ(wdrt::FlushPages(queue_, job), PrintNothing);
}

TEST_F(Printing, TheQueuesCapabilitiesFillTheSettingsRecord) {
  const PrinterSettings s = CurrentPrinter();
  EXPECT_EQ(s.device, printer_->Queue());
  EXPECT_EQ(s.port, "file://" + printer_->Dir() + "/out/job.pdf");
  EXPECT_TRUE(s.devMode.dmFields & DM_COPIES);
  EXPECT_TRUE(s.devMode.dmFields & DM_PAPERSIZE);
  EXPECT_TRUE(s.devMode.dmFields & DM_ORIENTATION);
  bool letter = false, a4 = false;
  for (const PrinterPaper& paper : s.papers) {
    letter |= paper.code == 1;
    a4 |= paper.code == 9;
  }
  EXPECT_TRUE(letter && a4) << s.papers.size() << " papers";
  EXPECT_LE(s.papers.size(), 64u);
  EXPECT_EQ(PrinterQueues().front(), printer_->Queue());
}

TEST_F(Printing, ThePrinterDialogsChoicesBecomeTheCurrentSettings) {
  wdrt::SetPrinterDialogAnswerer([](const std::string&) {
    wdrt::PrinterDialogAnswer answer;
    answer.copies = 3;
    answer.fromPage = 2;
    answer.toPage = 4;
    return answer;
  });
  const auto chosen = wdrt::ShowPrinterDialog("Report Destination", 10);
  EXPECT_TRUE(chosen.ok);
  EXPECT_EQ(chosen.fromPage, 2);
  EXPECT_EQ(chosen.toPage, 4);
  EXPECT_EQ(CurrentPrinter().devMode.dmCopies, 3);

  wdrt::SetPrinterDialogAnswerer([](const std::string&) {
    wdrt::PrinterDialogAnswer answer;
    answer.ok = false;
    answer.copies = 7;
    return answer;
  });
  EXPECT_FALSE(wdrt::ShowPrinterDialog("Report Destination").ok);
  EXPECT_EQ(CurrentPrinter().devMode.dmCopies, 3) << "Cancel changes nothing";
  wdrt::SetPrinterDialogAnswerer(nullptr);
}

TEST_F(Printing, WithoutAnyPrinterTheUserIsToldAndNothingIsLost) {
  MakePages(1);
  const std::string server = std::getenv("CUPS_SERVER");
  ::setenv("CUPS_SERVER", "127.0.0.1:9", 1);  // nothing listens there
  ResetPrinterForTest();
  const long before = wdrt::JournalLineCount();
  EXPECT_EQ(wdrt::FlushPages(queue_, {}), PrintNoPrinter);
  EXPECT_FALSE(wdrt::ShowPrinterDialog("Print Setup").ok);
  ::setenv("CUPS_SERVER", server.c_str(), 1);
  ResetPrinterForTest();
  EXPECT_GE(wdrt::WaitForJournalLine("message \"Print\" \"No printer is set up", before, std::chrono::seconds(10)), 0);
  EXPECT_TRUE(std::filesystem::exists(*queue_.Get(1))) << "the pages stay for another try";
}
