// What the flush does when the printer cannot print: a paused queue, a device that cannot
// write, a user who gives up; told in plain words, tried again on Retry, never reported as
// printed. Against the test's own CUPS server; message boxes answered in-process.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/dialogs/Message.h"
#include "runtime/flush/Flush.h"
#include "runtime/report/CupsJob.h"
#include "runtime/report/PrintJob.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"
#include "tests/report/ReportTestSupport.h"

using namespace wdrt::report;

namespace {

class PrintTrouble : public reporttest::PrinterTest {
 protected:
  static void SetUpTestSuite() {
    reporttest::EnsureGuiApp();
    PrinterTest::SetUpTestSuite();
  }
  void SetUp() override {
    PrinterTest::SetUp();
    ResetPrinterForTest();
    MakePages(3);
  }
  void TearDown() override {
    wdrt::SetMessageAnswerer(nullptr);
    // Whatever a test did to the queue, the next finds it whole.
    Admin("lpadmin -p " + printer_->Queue() + " -v file://" + printer_->Dir() + "/out/job.pdf");
    Admin("cupsenable " + printer_->Queue());
    Admin("cancel -a " + printer_->Queue());
    DeletePageFiles(queue_);
  }

  void MakePages(int pages) {
    ReportDef def;
    def.name = "Trouble";
    for (int n = 1; n <= pages; ++n)
      def.bands.push_back(BandDef{"P" + std::to_string(n), BandKind::Detail, 9000,
                                  {ReportText(500, 500, "Trouble page " + std::to_string(n), {"Arial", 24})}});
    Report report(def);
    report.SetPreviewQueue(&queue_);
    report.Open();
    for (int n = 1; n <= pages; ++n) report.Print("P" + std::to_string(n));
    report.EndPage();
  }
  static std::string Admin(const std::string& command) { return printer_->Admin(command); }

  // Answers "Printing failed" with `answer` after running `mend`; records what was said.
  void AnswerTrouble(int answer, std::function<void()> mend = {}) {
    wdrt::SetMessageAnswerer([this, answer, mend](const wdrt::MessageRequest& m) {
      told_.push_back(m.caption + ": " + m.text);
      if (m.caption != "Printing failed") return 0;
      if (mend) mend();
      return answer;
    });
  }

  PreviewQueue queue_;
  std::vector<std::string> told_;
};

TEST_F(PrintTrouble, APausedPrinterIsToldAndRetryAfterResumingPrints) {
  Admin("cupsdisable " + printer_->Queue());
  AnswerTrouble(wdrt::ButtonRetry, [] { Admin("cupsenable " + printer_->Queue()); });
  PrintJobSettings job;
  job.jobText = "Trouble";
  EXPECT_EQ(wdrt::FlushPages(queue_, job), PrintDone);
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 3);
  ASSERT_EQ(told_.size(), 1u);
  EXPECT_NE(told_[0].find("is paused"), std::string::npos) << told_[0];
}

TEST_F(PrintTrouble, ADeviceThatCannotWriteIsToldAndRetryAfterMendingPrints) {
  Admin("lpadmin -p " + printer_->Queue() + " -v file://" + printer_->Dir() + "/no-such-folder/job.pdf");
  AnswerTrouble(wdrt::ButtonRetry, [] {
    Admin("lpadmin -p " + printer_->Queue() + " -v file://" + printer_->Dir() + "/out/job.pdf");
    Admin("cupsenable " + printer_->Queue());
  });
  EXPECT_EQ(wdrt::FlushPages(queue_, {}), PrintDone);
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 3);
  ASSERT_GE(told_.size(), 1u);
  // CUPS stops a job whose device cannot take it; Retry sent it again, once.
  EXPECT_NE(told_[0].find("could not take the book"), std::string::npos) << told_[0];
  EXPECT_EQ(told_.size(), 1u);
}

TEST_F(PrintTrouble, GivingUpIsNotPrintedTheJobIsWithdrawnAndThePagesStay) {
  Admin("cupsdisable " + printer_->Queue());
  AnswerTrouble(wdrt::ButtonCancel);
  const long before = wdrt::JournalLineCount();
  EXPECT_EQ(wdrt::FlushPages(queue_, {}), PrintFailed);
  EXPECT_GE(wdrt::WaitForJournalLine("print-job \"storyloom-test\" 3 1", before, std::chrono::seconds(10)), 0)
      << "CUPS had the job";
  EXPECT_EQ(Admin("lpstat -o " + printer_->Queue()), "") << "the job was withdrawn";
  for (const std::string& page : queue_.Names()) EXPECT_TRUE(std::filesystem::exists(page)) << page;
  Admin("cupsenable " + printer_->Queue());
  EXPECT_FALSE(std::filesystem::exists(printer_->JobFile()));
}

TEST(PrintTroubleWords, EachReasonInPlainWords) {
  JobState state;
  state.job = JobState::Processing;
  EXPECT_EQ(DescribeTrouble(state, "Office"), "") << "printing as it should";
  state.job = JobState::Pending;
  EXPECT_EQ(DescribeTrouble(state, "Office"), "") << "waiting its turn";
  const struct {
    std::vector<std::string> reasons;
    bool stopped;
    JobState::Kind job;
    const char* words;
  } cases[] = {
      {{"media-empty-error"}, false, JobState::Processing, "out of paper"},
      {{"media-jam-error"}, false, JobState::Processing, "Paper is stuck"},
      {{"toner-empty-error"}, false, JobState::Processing, "out of ink or toner"},
      {{"cover-open-error"}, false, JobState::Processing, "is open"},
      {{"paused"}, true, JobState::Pending, "is paused"},
      {{}, false, JobState::Stopped, "could not take the book"},
      {{"offline-report"}, false, JobState::Processing, "cannot be reached"},
      {{"fuser-over-temp-error"}, false, JobState::Processing, "fuser-over-temp-error"},
      {{}, false, JobState::Aborted, "gave the job up"},
      {{}, false, JobState::Cancelled, "was cancelled"},
  };
  for (const auto& c : cases) {
    JobState s;
    s.job = c.job;
    s.printerReasons = c.reasons;
    s.printerStopped = c.stopped;
    s.printerMessage = "Unable to open file";
    const std::string words = DescribeTrouble(s, "Office");
    EXPECT_NE(words.find(c.words), std::string::npos) << words;
    EXPECT_NE(words.find("The printing system says: Unable to open file"), std::string::npos) << words;
  }
  JobState done;
  done.job = JobState::Completed;
  done.printerStopped = true;
  EXPECT_EQ(DescribeTrouble(done, "Office"), "") << "a printed job needs no words";
}

}  // namespace
