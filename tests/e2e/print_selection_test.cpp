// The print-selection window: its link to the reader's download page, the PDF choice, "Print
// Book" and "Done".
#include <gtest/gtest.h>

#include "BookRun.h"

namespace {

using e2e::LinesWith;

TEST(PrintSelection, LinkChoicePrintAndDone) {
  const std::string script = "press \"Storyloom\" -14\n"
                             "wait-window \"Print report or print to pdf file\"\n"
                             "press top \"Go to Adobe web site\"\n"
                             "expect \"shell-open \\\"https://www.adobe.com/products/acrobat/adobepdf.html\\\" -> ok\"\n"
                             "press top ?GLO:EMAILREQ\n"
                             "expect \"event [0-9]+ \\\"Print report or print to pdf file\\\" 1 13\"\n"
                             "press top \"Print Book \"\n"
                             "expect \"thread-end 3\"\n"
                             "press \"Print report or print to pdf file\" \"Done\"\n"
                             "expect \"close-window [0-9]+ \\\"Print report or print to pdf file\\\"\"\n"
                             "close \"Storyloom\"\n";
  // In a folder of its own: no children to print, so with the PDF box ticked nothing is shown.
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.workDir = e2e::MakeTempDir("print-selection");
  options.script = script;
  options.environment = {"WDRT_SHELL_OPEN=/bin/true"};
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // The print procedure ran on a thread of its own; the window stayed open until "Done".
  EXPECT_EQ(LinesWith(run.journal, "\"Progress...\" PrintBook1a").size(), 1u);
  EXPECT_TRUE(LinesWith(run.journal, " message ").empty());
  const auto opened = LinesWith(run.journal, "open-window");
  ASSERT_GE(opened.size(), 2u);
  EXPECT_NE(opened[1].find("PrintSelectionPdf"), std::string::npos) << opened[1];
}

TEST(PageSounds, ClosingAPageLetsItsNarrationPlayOn) {
  const std::string script = "press \"Storyloom\" \"1\"\n"
                             "wait-window \"Learning Words\"\n"
                             "expect \"play Mp3\\\" -> 0\"\n"
                             "close \"Learning Words\"\n"
                             "sleep 300\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto pageClosed = LinesWith(run.journal, "close-window 2 \"Learning Words\"");
  ASSERT_EQ(pageClosed.size(), 1u);
  for (const auto& line : LinesWith(run.journal, "mci \"stop Mp3\""))
    EXPECT_LT(e2e::Stamp(line), e2e::Stamp(pageClosed[0])) << "a stop after the page closed: " << line;
}

}  // namespace
