// Kiosk mode end to end: the frame fills the screen without a menu bar, closing it by the
// driver, the window manager or Exit does not end the book, and only a held Ctrl+Alt+Q with
// the right sum does, with exit code 0; a wrong sum or a short hold changes nothing.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "BookRun.h"

namespace {

using e2e::LinesWith;

const std::string kLeave = "hold \"Storyloom\" Ctrl+Alt+Q 2300\n"
                           "wait-window \"For grown-ups\"\n";

std::string Answer(const std::string& answer) {
  return "type \"For grown-ups\" ?ANSWER \"" + answer + "\"\n"
         "press \"For grown-ups\" ?OK\n";
}

TEST(Kiosk, FullScreenFrameOutlivesClosingAndEndsOnlyWithTheRightSum) {
  const std::string dir = e2e::MakeTempDir("kiosk");
  const std::string shot = dir + "/kiosk-frame.png";
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -10\n"
                             "wait-window \"Learning Words\"\n"
                             // No title bar: the page, with its proportions kept, is as tall as
                             // the whole area under the toolbar.
                             "expect-visible \"Learning Words\" fills=100\n"
                             "screenshot " + shot + " \"Storyloom\"\n"
                             "try-close \"Storyloom\"\n"
                             "expect kiosk-close-refused\n"
                             "wait-window \"Storyloom\"\n" +
                             kLeave + Answer("12");
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.arguments = {"--kiosk"};
  options.workDir = STORYLOOM_SUITE_DIR;
  options.script = script;
  options.runDir = dir;
  options.environment = {"STORYLOOM_EXIT_SUM=7+5"};
  options.timeoutSeconds = 240;
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "kiosk-close-refused \"Storyloom\"").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "held-key \"Storyloom\" Ctrl+Alt+Q").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "grown-up-exit right").size(), 1u);
  // The frame closed only after the right answer.
  const auto frameClosed = LinesWith(run.journal, "close-window 1 \"Storyloom\"");
  ASSERT_EQ(frameClosed.size(), 1u);
  EXPECT_GT(e2e::Stamp(frameClosed[0]), e2e::Stamp(LinesWith(run.journal, "grown-up-exit right")[0]));

  // The whole 1920 × 1080 screen: toolbar at the very top (no title or menu bar above it), the
  // print button gone.
  QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1920, 1080));
  const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/kiosk-frame.png";
  std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
  std::filesystem::copy_file(shot, kept, std::filesystem::copy_options::overwrite_existing);
}

TEST(Kiosk, SettingsFileTurnsItOnAndWrongSumsOrShortHoldsChangeNothing) {
  const std::string dir = e2e::MakeTempDir("kiosk-ini");
  std::filesystem::create_directories(dir + "/config/storyloom");
  std::ofstream(dir + "/config/storyloom/fete.INI") << "[Kiosk]\r\nEnabled=1\r\n";
  const std::string script = "wait-window \"Storyloom\"\n"
                             "hold \"Storyloom\" Ctrl+Alt+Q 800\n"
                             "sleep 1500\n" +
                             kLeave + Answer("11") +
                             "answer Ok\n"
                             "expect \"close-window [0-9]+ .For grown-ups.\"\n"
                             "press \"Storyloom\" -11\n"
                             "wait-window \"Learning Words\"\n"
                             "try-close \"Storyloom\"\n"
                             "expect kiosk-close-refused\n" +
                             kLeave + Answer("12");
  e2e::RunResult run = e2e::RunBook("fete", script, {"STORYLOOM_EXIT_SUM=7+5"}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // The short hold asked nothing: two questions, for the two long holds.
  EXPECT_EQ(LinesWith(run.journal, "open-window 1 \"For grown-ups\"").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "held-key").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "grown-up-exit wrong").size(), 1u);
  // The wrong sum was told while its question was still open.
  const auto told = LinesWith(run.journal, "message \"For grown-ups\" \"Not quite. Try again.\" -> Ok");
  const auto questionsClosed = LinesWith(run.journal, "close-window 1 \"For grown-ups\"");
  ASSERT_EQ(told.size(), 1u);
  ASSERT_FALSE(questionsClosed.empty());
  EXPECT_LE(e2e::Stamp(told[0]), e2e::Stamp(questionsClosed[0]));
  EXPECT_EQ(LinesWith(run.journal, "grown-up-exit right").size(), 1u);
  // After the wrong answer the book went on: a page opened.
  EXPECT_EQ(e2e::OpenedPages(run.journal).size(), 1u);
}

TEST(Kiosk, ThereIsNoExitToPress) {
  // A step that waits for what never comes fails once its (shortened) time is up.
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.arguments = {"--kiosk"};
  options.workDir = STORYLOOM_SUITE_DIR;
  options.script = "wait-window \"Storyloom\"\n"
                   "expect-visible \"Storyloom\"\n"
                   "press \"Storyloom\" -21\n";
  options.environment = {"WDRT_STEP_SECONDS=30"};
  const e2e::RunResult run = e2e::RunProgram(options);
  EXPECT_EQ(run.exitCode, 3) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "script-failed 3 control -21 cannot be pressed").size(), 1u) << run.output;
  EXPECT_TRUE(LinesWith(run.journal, "kiosk-close-refused").empty());
}

}  // namespace
