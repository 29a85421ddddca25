// A link's hover end to end: the scripted driver moves the real mouse pointer over a text link
// and away, and over the columns of a list link; the window polls the pointer on its timer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <filesystem>

#include "runtime/core/WindowDef.h"
#include "tests/e2e/ProgramRunner.h"

namespace {

// How many pixels of the text's area are mostly red and mostly blue.
std::pair<int, int> RedAndBlue(const QImage& shot) {
  int red = 0, blue = 0;
  for (int y = 0; y < shot.height() / 4; ++y)
    for (int x = 0; x < shot.width() * 2 / 3; ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 90 && c.blue() < 90) ++red;
      if (c.blue() > 150 && c.red() < 90 && c.green() < 90) ++blue;
    }
  return {red, blue};
}

std::string Hex(wdrt::Rgb colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(colour));
  return text;
}

TEST(LinkHover, TheRealPointerLightsATextLinkAndThePollSeesItLeaveAndCrossListColumns) {
  const std::string dir = e2e::MakeTempDir("link-hover");
  e2e::RunOptions run;
  run.program = std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/links_demo";
  run.script = "wait-window \"Links\"\n"
               "move \"Links\" 200 110\n"
               "move \"Links\" 30 16\n"
               "expect \"link-colour " + Hex(wdrt::MakeRgb(230, 0, 0)) + "\"\n"
               "screenshot " + dir + "/over.png \"Links\"\n"
               "move \"Links\" 200 30\n"
               "expect \"link-colour " + Hex(wdrt::MakeRgb(0, 0, 200)) + "\"\n"
               "screenshot " + dir + "/away.png \"Links\"\n"
               "move \"Links\" 30 60\n"
               "expect \"link-hover 1 0\"\n"
               "move \"Links\" 120 60\n"
               "expect \"link-hover 2 1\"\n"
               "close \"Links\"\n";
  run.timeoutSeconds = 60;
  const e2e::RunResult result = e2e::RunProgram(run);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const QImage over(QString::fromStdString(dir + "/over.png"));
  const QImage away(QString::fromStdString(dir + "/away.png"));
  ASSERT_FALSE(over.isNull());
  ASSERT_FALSE(away.isNull());
  const auto [overRed, overBlue] = RedAndBlue(over);
  const auto [awayRed, awayBlue] = RedAndBlue(away);
  EXPECT_GT(overRed, 50) << "the text did not turn red under the pointer";
  EXPECT_LT(overBlue, 5);
  EXPECT_GT(awayBlue, 50) << "the text did not turn back once the pointer left";
  EXPECT_LT(awayRed, 5);
  std::filesystem::remove_all(dir);
}

}  // namespace
