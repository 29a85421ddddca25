// Every window of every program opens whole on common screens, at one scale: a book's frame,
// each of its ten pages (question pages too) filling most of the frame's area without scroll
// bars, its print window and its previewer; a menu, its notice and its price-list preview.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "BookRun.h"

namespace {

struct Screen {
  int width, height;
  std::string Name() const { return std::to_string(width) + "x" + std::to_string(height); }
};
constexpr Screen kScreens[] = {{1280, 720}, {1366, 768}, {1920, 1080}, {2560, 1440}};

// The toolbar buttons in story order: the ten pages of every book.
constexpr int kPageButtons[] = {-10, -11, -12, -13, -20, -18, -17, -19, -16, -15};

struct Program {
  std::string name;
  std::string printButton;  // books: the print window's print button; empty for a menu
};

std::string BookScript(const Program& book, const std::string& shot) {
  std::string script = "wait-window \"Storyloom\"\nexpect-visible \"Storyloom\"\n";
  int opened = 0;
  for (int button : kPageButtons) {
    ++opened;
    script += "press \"Storyloom\" " + std::to_string(button) + "\n" +
              "wait-window \"Learning Words\" " + std::to_string(opened) + "\n" +
              "expect-visible \"Learning Words\"#" + std::to_string(opened) + " fills=85\n";
    if (opened == 9) script += "screenshot " + shot + "\n";  // the taller question page
  }
  script += "expect-visible \"Storyloom\"\n"
            "press \"Storyloom\" -14\n"
            "wait-window \"Print report or print to pdf file\"\n"
            "expect-visible \"Print report or print to pdf file\"\n"
            "press \"Print report or print to pdf file\" \"" + book.printButton + "\"\n"
            "wait-window \"Report Preview\"\n"
            "expect \"preview-open \"\n"
            "expect-visible \"Report Preview\"\n"
            "press \"Report Preview\" ?CLOSE\n"
            "expect \"preview-result 2\"\n"
            "press \"Print report or print to pdf file\" \"Done\"\n"
            // The frame of some books takes input again only once the print window is gone.
            "expect \"close-window [0-9]+ .Print report\"\n"
            "close \"Storyloom\"\n";
  return script;
}

std::string MenuScript(const std::string& title, const std::string& shot) {
  return "expect window-regio[n]\n"
         "expect-visible \"" + title + "\"\n"
         "screenshot " + shot + " \"" + title + "\"\n"
         "press \"" + title + "\" \"About\"\n"
         "wait-window \"About Storyloom\"\n"
         "expect-visible \"About Storyloom\"\n"
         "press \"" + title + "\" \"Snail mail ordering form\"\n"
         "wait-window \"Report Preview\"\n"
         "expect \"preview-open \"\n"
         "expect-visible \"Report Preview\"\n"
         "press \"Report Preview\" ?CLOSE\n"
         "expect \"preview-result 2\"\n"
         "close \"" + title + "\"\n";
}

class ScreenFit : public ::testing::TestWithParam<Program> {};

TEST_P(ScreenFit, EveryWindowOpensWholeAtEveryCommonSize) {
  const Program& program = GetParam();
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(screen.Name());
    const std::string dir = e2e::MakeTempDir("fit");
    const std::string work = dir + "/work";
    std::filesystem::create_directories(work);
    const std::string shot = dir + "/" + program.name + "-" + screen.Name() + ".png";
    e2e::RunOptions options;
    options.program = e2e::SuiteProgram(program.name);
    options.workDir = work;
    options.runDir = dir;
    options.environment = {e2e::OffscreenScreen(dir, screen.width, screen.height), "WDRT_SHELL_OPEN=/bin/true"};
    options.timeoutSeconds = 300;
    if (program.printButton.empty()) {
      // The menus read their price table from their folder.
      std::filesystem::copy_file(e2e::SuiteProgram("PRICES"), work + "/PRICES");
      const std::string title = program.name == "atrium" ? "Blockwork" : "                     Alphabet books";
      options.script = MenuScript(title, shot);
    } else {
      // One child in the personalisation file, so that the book has pages to preview.
      const std::string add = "cd '" + work + "' && '" + e2e::SuiteProgram("kidlt") + "' add Mia >/dev/null";
      ASSERT_EQ(std::system(add.c_str()), 0);
      options.script = BookScript(program, shot);
    }
    const e2e::RunResult run = e2e::RunProgram(options);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    EXPECT_LE(image.width(), screen.width);
    EXPECT_LE(image.height(), screen.height);
    const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/fit-" +
                             std::filesystem::path(shot).filename().string();
    std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
    std::filesystem::copy_file(shot, kept, std::filesystem::copy_options::overwrite_existing);
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, ScreenFit,
                         ::testing::Values(Program{"fete", "Print Book "}, Program{"banners", "Print Book 1"},
                                           Program{"a", "Print Book 1"}, Program{"b", "Print Book 1"},
                                           Program{"atrium", ""}, Program{"letters", ""}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
