// The help book for grown-ups end to end: every program's Help menu opens it in one "Storyloom
// Help" window, at its contents, ready for a search, or at its page about itself; its buttons
// open its pages and its search finds them.
#include <gtest/gtest.h>

#include <filesystem>

#include "BookRun.h"
#include "MenuRun.h"

namespace {

using e2e::LinesWith;

TEST(HelpBook, TheBooksHelpMenuOpensTheHelpBookItsPagesAndItsSearch) {
  const std::string dir = e2e::MakeTempDir("help");
  const std::string shot = dir + "/help.png";
  const e2e::RunResult run = e2e::RunBook(
      "fete",
      "press \"Storyloom\" \"&Contents\"\n"
      "wait-window \"Storyloom Help\"\n"
      "expect \"help-page .index.html.\"\n"
      "expect-visible \"Storyloom Help\"\n"
      "press \"Storyloom Help\" \"Printing the booklet\"\n"
      "expect \"help-page .printing.html.\"\n"
      "screenshot " + shot + " \"Storyloom Help\"\n"
      "press \"Storyloom\" \"&How to Use Help\"\n"
      "expect \"help-page .help.html.\"\n"
      "press \"Storyloom\" \"&Search for Help On...\"\n"
      "type \"Storyloom Help\" ?SEARCHFOR \"staples ribbon\"\n"
      "press \"Storyloom Help\" ?SEARCH\n"
      "expect \"help-search .staples ribbon. 1\"\n"
      "type \"Storyloom Help\" ?SEARCHFOR \"zebra\"\n"
      "press \"Storyloom Help\" ?SEARCH\n"
      "expect \"help-search .zebra. 0\"\n"
      "close \"Storyloom Help\"\n"
      "close \"Storyloom\"\n",
      {}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // One window served every request.
  int opened = 0;
  for (const std::string& line : LinesWith(run.journal, " open-window "))
    if (line.find("\"Storyloom Help\"") != std::string::npos) ++opened;
  EXPECT_EQ(opened, 1);
  const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/help-printing.png";
  std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
  std::filesystem::copy_file(shot, kept, std::filesystem::copy_options::overwrite_existing);
}

TEST(HelpBook, TheMenusAndThePreviewerOpenItToo) {
  e2e::MenuDesktop desktop = e2e::MakeMenuDesktop(false, {});
  const e2e::RunResult menu = e2e::RunMenu(desktop, "atrium",
                                           "expect window-regio[n]\n"
                                           "press Blockwork \"&Contents\"\n"
                                           "wait-window \"Storyloom Help\"\n"
                                           "expect \"help-page .index.html.\"\n"
                                           "close \"Storyloom Help\"\n"
                                           "close Blockwork\n");
  ASSERT_EQ(menu.exitCode, 0) << menu.output;
  // The previewer's F1, without a help file of the caller's, opens the page about printing.
  std::filesystem::copy_file(e2e::SuiteProgram("PRICES"), desktop.workDir + "/PRICES");
  const e2e::RunResult preview = e2e::RunMenu(desktop, "atrium",
                                              "expect window-regio[n]\n"
                                              "press Blockwork \"Snail mail ordering form\"\n"
                                              "wait-window \"Report Preview\"\n"
                                              "expect \"preview-open \"\n"
                                              "key \"Report Preview\" F1\n"
                                              "wait-window \"Storyloom Help\"\n"
                                              "expect \"help-page .printing.html.\"\n"
                                              "close \"Storyloom Help\"\n"
                                              "press \"Report Preview\" ?CLOSE\n"
                                              // The menu takes a close once the preview has gone.
                                              "expect \"close-window [0-9]+ .Report Preview.\"\n"
                                              "close Blockwork\n");
  ASSERT_EQ(preview.exitCode, 0) << preview.output;
}

}  // namespace
