// The runtime's view and scripted driver end to end, on the demonstration program.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>

#include "ProgramRunner.h"

namespace {

const std::string kDemo = std::string(STORYLOOM_SUITE_DIR) + "/wdrt_demo";

// A picture made here so that the test needs no asset: sky, grass and a sun.
std::string MakePicture(const std::string& dir) {
  QImage image(600, 390, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, 390);
  sky.setColorAt(0, QColor(120, 190, 255));
  sky.setColorAt(1, QColor(200, 235, 255));
  painter.fillRect(image.rect(), sky);
  painter.fillRect(0, 270, 600, 120, QColor(90, 180, 70));
  painter.setBrush(QColor(255, 220, 60));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(470, 30, 90, 90);
  painter.end();
  const std::string file = dir + "/meadow.png";
  image.save(QString::fromStdString(file));
  return file;
}

TEST(RuntimeDemo, FrameWithTwoChildWindowsScreenshotAndCleanExit) {
  const std::string dir = e2e::MakeTempDir("demo");
  const std::string picture = MakePicture(dir);
  const std::string shot = dir + "/frame-two-children.png";
  e2e::RunOptions options;
  options.program = kDemo;
  options.arguments = {picture};
  options.workDir = dir;
  options.script =
      "wait-window \"Storyloom Demo\"\n"
      "press \"Storyloom Demo\" \"Open\"\n"
      "wait-window \"Demo Page\" 1\n"
      "press \"Demo Page\" ?NEXT\n"
      "wait-window \"Demo Page\" 2\n"
      "press \"Storyloom Demo\" \"T&ile\"\n"
      "screenshot " + shot + "\n"
      "press \"Demo Page\"#1 ?SAY\n"
      "expect \"event [0-9]+ \\\"Demo Page\\\" 1 2\"\n"
      "close \"Storyloom Demo\"\n";
  e2e::RunResult result = e2e::RunProgram(options);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(e2e::LinesWith(result.journal, "open-window").size(), 3u);
  // Both children closed before the frame: the frame waits for its pages' threads.
  auto closes = e2e::LinesWith(result.journal, "close-window");
  ASSERT_EQ(closes.size(), 3u);
  EXPECT_NE(closes.back().find("Storyloom Demo"), std::string::npos);
  QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_GT(image.width(), 600);
  std::filesystem::copy_file(shot, std::string(STORYLOOM_BINARY_DIR) + "/screenshot-runtime-demo.png",
                             std::filesystem::copy_options::overwrite_existing);
}

TEST(RuntimeDemo, MessageBoxAnsweredByScript) {
  e2e::RunOptions options;
  options.program = kDemo;
  options.script =
      "press \"Storyloom Demo\" -10\n"
      "press \"Demo Page\" ?ASK\n"
      "answer No\n"
      "expect \"message \\\"Question\\\" \\\"Do you like this page\\?\\|Press a button.\\\" -> No\"\n"
      "close \"Storyloom Demo\"\n";
  e2e::RunResult result = e2e::RunProgram(options);
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST(RuntimeDemo, TypingIntoAnEntryReachesTheProcedure) {
  e2e::RunOptions options;
  options.program = kDemo;
  options.script =
      "press \"Storyloom Demo\" -10\n"
      "type \"Demo Page\" ?NAME \"Mia\"\n"
      "expect \"event [0-9]+ \\\"Demo Page\\\" 1 5\"\n"
      "wait-window \"Demo Page Mia\"\n"
      "close \"Storyloom Demo\"\n";
  e2e::RunResult result = e2e::RunProgram(options);
  EXPECT_EQ(result.exitCode, 0) << result.output;
}

TEST(RuntimeDemo, FailedStepEndsWithCodeThree) {
  e2e::RunOptions options;
  options.program = kDemo;
  options.script = "press \"No Such Window\" 1\n";
  options.environment = {"WDRT_STEP_SECONDS=2"};
  options.timeoutSeconds = 40;
  e2e::RunResult result = e2e::RunProgram(options);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(e2e::LinesWith(result.journal, "script-failed 1 window \"No Such Window\" not open").size(), 1u)
      << result.output;
}

TEST(RuntimeDemo, NoDisplayExplainsInOneSentence) {
  e2e::RunOptions options;
  options.program = kDemo;
  // The runner always sets the offscreen platform; clear it so that no display is found.
  options.environment = {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="};
  e2e::RunResult result = e2e::RunProgram(options);
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.output.find("xvfb-run"), std::string::npos) << result.output;
}

}  // namespace
