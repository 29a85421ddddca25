// The status window: pages a slice per tick with their progress, the Cancel question, and what
// follows from each answer (no file and nothing opened, or the next page). Without a view the
// window is driven through its event queue; the scripted end-to-end runs are below.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "../e2e/ProgramRunner.h"
#include "PdfTestSupport.h"
#include "printing/pdf/PdfReportWriter.h"
#include "printing/pdf/PdfStatusWindow.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using namespace std::chrono_literals;
using printing::PdfReportWriter;

std::vector<std::string> LinesWith(const std::string& needle) {
  std::vector<std::string> found;
  for (const std::string& line : wdrt::JournalLines())
    if (line.find(needle) != std::string::npos) found.push_back(line);
  return found;
}

// The status window of the calling thread, once it is open.
wdrt::WindowPtr StatusWindow() {
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (std::chrono::steady_clock::now() < deadline) {
    for (const wdrt::WindowPtr& w : wdrt::OpenWindows())
      if (w->Title() == "Please Wait...") return w;
    std::this_thread::sleep_for(2ms);
  }
  return nullptr;
}

// Presses Cancel as soon as the status window is open, then raises `posted`.
std::thread PressCancel(std::atomic<bool>& posted) {
  return std::thread([&posted] {
    if (wdrt::WindowPtr w = StatusWindow()) wdrt::PostToWindow(w, wdrt::EventAccepted, printing::StatusCancelControl);
    posted = true;
  });
}

class PdfStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = reporttest::MakeTempDir("pdf-status");
    ::setenv("WDRT_SHELL_OPEN", "true", 1);
    wdrt::ResetJournal();
  }
  void TearDown() override {
    wdrt::SetMessageAnswerer(nullptr);
    ::unsetenv("WDRT_SHELL_OPEN");
  }
  void AnswerCancelQuestion(int button) {
    wdrt::SetMessageAnswerer([this, button](const wdrt::MessageRequest&) {
      ++asked_;
      return button;
    });
  }
  // Work of a page for the window: a little time each, and page 2 not before Cancel was
  // pressed, so that the press comes while pages remain whatever the machine's speed.
  std::function<void(int)> SlowPages(std::vector<int>& taken) {
    return [this, &taken](int page) {
      taken.push_back(page);
      while (page == 2 && !posted_) std::this_thread::sleep_for(1ms);
      std::this_thread::sleep_for(1ms);
    };
  }
  std::string dir_;
  std::atomic<int> asked_{0};
  std::atomic<bool> posted_{false};
};

TEST_F(PdfStatus, CancelAnsweredYesStopsWithPagesLeft) {
  AnswerCancelQuestion(wdrt::ButtonYes);
  std::vector<int> taken;
  std::thread press = PressCancel(posted_);
  bool finished = true;
  {
    printing::PdfStatusWindow status;
    finished = status.RunPages(500, SlowPages(taken));
  }
  press.join();
  EXPECT_FALSE(finished);
  EXPECT_EQ(asked_, 1);
  EXPECT_LT(taken.size(), 500u) << "stopped with pages left";
  EXPECT_EQ(LinesWith("message \"Cancel PDF?\" \"Do you wish to Cancel the PDF Generation?\" -> Yes").size(), 1u);
  for (const wdrt::WindowPtr& w : wdrt::OpenWindows()) EXPECT_NE(w->Title(), "Please Wait...");
}

TEST_F(PdfStatus, CancelAnsweredNoGoesOnWithEveryPageInOrderAndGivesTheTimerBack) {
  AnswerCancelQuestion(wdrt::ButtonNo);
  // The caller's window has a timer: stopped while the status window runs, then given back.
  wdrt::WindowDef callerDef;
  callerDef.title = "Caller";
  wdrt::WindowPtr caller = wdrt::Open(callerDef);
  wdrt::SetTimer(caller, 50);
  std::atomic<int> callerTimerDuring{-1};
  std::thread watch([&] {
    if (StatusWindow()) callerTimerDuring = caller->TimerInterval();
  });
  std::vector<int> taken;
  std::thread press = PressCancel(posted_);
  {
    printing::PdfStatusWindow status;
    EXPECT_TRUE(status.RunPages(500, SlowPages(taken)));
  }
  press.join();
  watch.join();
  EXPECT_EQ(asked_, 1);
  ASSERT_EQ(taken.size(), 500u);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(taken[static_cast<std::size_t>(i)], i + 1);
  EXPECT_EQ(callerTimerDuring, 0);
  EXPECT_EQ(caller->TimerInterval(), 50);
  wdrt::Close(caller);
}

TEST_F(PdfStatus, AClassSetIsWrittenManyPagesATick) {
  wdrt::report::PreviewQueue queue;
  for (int i = 0; i < 240; ++i) queue.Add(pdftest::WriteBlankPageFile(dir_, 1000, 8500, 11000));
  PdfReportWriter writer;
  writer.Setup("class", dir_, false);
  writer.SetRun(1, 1, "");
  ASSERT_EQ(writer.Generate(queue, true), 1);
  EXPECT_EQ(reporttest::PdfPages(dir_ + "/class.pdf"), 240);
  EXPECT_EQ(LinesWith("pdf-written \"" + dir_ + "/class.pdf\" 240").size(), 1u);
  EXPECT_EQ(LinesWith("shell-open \"" + dir_ + "/class.pdf\" -> ok").size(), 1u);
  // Not one page a tick: a tick takes as many as fit in its 40 ms (fewer ticks than pages
  // even in a checker build on a busy machine, where a page takes far longer).
  EXPECT_LT(LinesWith("\"Please Wait...\" 523 0").size(), 240u);
}

TEST_F(PdfStatus, ACancelledWriterWritesAndOpensNothing) {
  AnswerCancelQuestion(wdrt::ButtonYes);
  // Ten thousand pages: seconds of work, so Cancel comes while most of them remain.
  wdrt::report::PreviewQueue queue;
  const std::string blank = pdftest::WriteBlankPageFile(dir_, 1000, 8500, 11000);
  for (int i = 0; i < 10000; ++i) queue.Add(blank);
  std::thread press = PressCancel(posted_);
  PdfReportWriter writer;
  writer.Setup("cancelled", dir_, false);
  writer.SetRun(1, 1, "");
  EXPECT_EQ(writer.Generate(queue, true), 0);
  press.join();
  EXPECT_EQ(asked_, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/cancelled.pdf"));
  EXPECT_TRUE(LinesWith("shell-open").empty());
  EXPECT_TRUE(LinesWith("pdf-written").empty());
}

TEST(PdfStatusTexts, PageOfTextAndProgress) {
  EXPECT_EQ(printing::PageOfText(3, 12), "Page 3 of 12");
  EXPECT_LE(printing::PageOfText(2000000000, 2000000000).size(), 30u);
  const wdrt::WindowDef def = printing::StatusWindowDef();
  EXPECT_EQ(def.title, "Please Wait...");
  EXPECT_EQ(def.size.width, 179);
  EXPECT_EQ(def.size.height, 76);
  ASSERT_EQ(def.controls.size(), 4u);
  EXPECT_EQ(def.controls[0].text, "Generating PDF");
  EXPECT_EQ(def.controls[3].text, "Cancel");
}

TEST(PdfOpen, ANamedProgramGetsTheFileAsItsOneArgumentWithoutAShell) {
  const std::string dir = reporttest::MakeTempDir("pdf open; $(touch pwned)");
  wdrt::report::PreviewQueue queue;
  queue.Add(pdftest::WriteBlankPageFile(dir, 1000, 8500, 11000));
  const std::string viewer = dir + "/viewer";
  reporttest::WriteFile(viewer, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args.txt\"\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  wdrt::ResetJournal();
  PdfReportWriter writer;
  writer.Setup("my book; $(touch pwned2)", dir, false);
  writer.SetRun(1, 0, viewer);
  ASSERT_EQ(writer.Generate(queue, false), 1);
  const std::string args = dir + "/args.txt";
  for (int i = 0; i < 3000 && !std::filesystem::exists(args); ++i) std::this_thread::sleep_for(10ms);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(reporttest::ReadFile(args).toStdString(), "1\n" + writer.FILENAME + "\n");
  EXPECT_FALSE(std::filesystem::exists("pwned") || std::filesystem::exists("pwned2"));
  EXPECT_EQ(LinesWith("run ").size(), 1u);
  EXPECT_NE(LinesWith("run ").front().find("-> ok"), std::string::npos);

  // A program that is not there: the file is written, the result is still 1, the run failed.
  wdrt::ResetJournal();
  PdfReportWriter missing;
  missing.Setup("again", dir, false);
  missing.SetRun(1, 0, "no-such-viewer-here");
  EXPECT_EQ(missing.Generate(queue, false), 1);
  EXPECT_TRUE(std::filesystem::exists(dir + "/again.pdf"));
  ASSERT_EQ(LinesWith("run ").size(), 1u);
  EXPECT_NE(LinesWith("run ").front().find("-> failed"), std::string::npos);
}

// End to end through the scripted driver: the real window, pressed and answered as a user would.
std::string Demo() { return std::string(STORYLOOM_BINARY_DIR) + "/tests/pdf_status_demo"; }

TEST(PdfStatusEndToEnd, TheWindowShowsProgressAndNoGoesOn) {
  const std::string shots = reporttest::MakeTempDir("pdf-shots");
  e2e::RunOptions options;
  options.program = Demo();
  // 40 pages with pictures, listed 25 times: 1000 pages, seconds of work (minutes in a checker
  // build on a busy machine, hence the long bounds).
  options.arguments = {"40", pdftest::PictureDir(), "25"};
  options.environment = {"WDRT_SHELL_OPEN=true", "WDRT_STEP_SECONDS=400"};
  options.timeoutSeconds = 480;
  options.script = "wait-window \"Please Wait...\"\n"
                   "expect \"event [0-9]+ \\\"Please Wait...\\\" 523\"\n"
                   "screenshot " + shots + "/status.png \"Please Wait...\"\n"
                   "press \"Please Wait...\" \"Cancel\"\n"
                   "answer No\n"
                   "expect \"message .Cancel PDF.. .* -> No\"\n"
                   "expect \"pdf-demo-result 1\"\n";
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto written = e2e::LinesWith(run.journal, "pdf-written ");
  ASSERT_EQ(written.size(), 1u);
  // "comp1.pdf" with no folder: the user's private temporary folder.
  const std::string pdf = run.dir + "/runtime/storyloom/comp1.pdf";
  EXPECT_NE(written[0].find("pdf-written \"" + pdf + "\" 1000"), std::string::npos) << written[0];
  EXPECT_EQ(reporttest::PdfPages(pdf), 1000);
  EXPECT_EQ(e2e::LinesWith(run.journal, "shell-open ").size(), 1u);
  EXPECT_NE(e2e::LinesWith(run.journal, "shell-open ")[0].find("comp1.pdf\" -> ok"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(shots + "/status.png"));
  std::printf("screenshots in %s\n", shots.c_str());
}

TEST(PdfStatusEndToEnd, YesCancelsWithoutAFile) {
  e2e::RunOptions options;
  options.program = Demo();
  options.arguments = {"40", "-", "50"};
  options.environment = {"WDRT_SHELL_OPEN=true"};
  options.script = "wait-window \"Please Wait...\"\n"
                   "press \"Please Wait...\" \"Cancel\"\n"
                   "answer Yes\n"
                   "expect \"pdf-demo-result 0\"\n";
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(e2e::LinesWith(run.journal, "pdf-written ").empty());
  EXPECT_TRUE(e2e::LinesWith(run.journal, "shell-open ").empty());
  EXPECT_FALSE(std::filesystem::exists(run.dir + "/runtime/storyloom/comp1.pdf"));
}

}  // namespace
