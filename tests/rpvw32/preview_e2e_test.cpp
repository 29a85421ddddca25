// The "Report Preview" window end to end: a small program previews a made-up report and the
// scripted driver pages, zooms, searches, exports and prints as a user would. Printing goes
// to the test's private CUPS server and is read back from the PDF it writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/e2e/ProgramRunner.h"
#include "tests/report/ReportTestSupport.h"

namespace {

constexpr char kWindow[] = "\"Report Preview\"";

class Preview : public reporttest::PrinterTest {
 protected:
  static void SetUpTestSuite() {
    reporttest::EnsureGuiApp();
    PrinterTest::SetUpTestSuite();
  }
  void SetUp() override {
    PrinterTest::SetUp();
  }

  // Runs the demo on `pages` pages with option bits and a script; the first page is shown
  // before the script's own steps.
  e2e::RunResult Run(int pages, int options, const std::string& script, const std::string& caption = "",
                     int zoom = 50, const std::string& runDir = "", const std::vector<std::string>& more = {}) {
    e2e::RunOptions run;
    run.environment = environment_;
    run.program = std::string(STORYLOOM_SUITE_DIR) + "/rpvw32_demo";
    run.arguments = {std::to_string(pages), std::to_string(options), std::to_string(zoom), "1", caption};
    run.arguments.insert(run.arguments.end(), more.begin(), more.end());
    run.script = "expect \"^[0-9.]+ preview-open " + std::to_string(pages) + " \"\n" + script;
    run.runDir = runDir;
    run.timeoutSeconds = 180;
    return e2e::RunProgram(run);
  }

  std::vector<std::string> environment_;  // extra settings for the next runs

  static std::vector<std::string> Bodies(const e2e::RunResult& run, const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : run.journal) {
      const std::string body = e2e::Body(line);
      if (body.rfind(prefix, 0) == 0) found.push_back(body);
    }
    return found;
  }

  // The sheets ("Sheet 05") the printed PDF holds, in order.
  std::vector<int> PrintedSheets() {
    std::vector<int> sheets;
    if (!printer_->WaitForJob(30)) return sheets;
    const int pages = reporttest::PdfPages(printer_->JobFile());
    for (int page = 1; page <= pages; ++page) {
      const std::string text = reporttest::PdfText(printer_->JobFile(), page, page);
      const std::size_t at = text.find("Sheet ");
      sheets.push_back(at == std::string::npos ? 0 : std::atoi(text.c_str() + at + 6));
    }
    return sheets;
  }

};

TEST_F(Preview, PrintingOptionsPrintExactlyTheChosenRanges) {
  const std::string script = std::string("type ") + kWindow + " ?PGSTOPRINT \"1-2,5,7,12-15\"\n" +
                             "press " + kWindow + " ?PRINT\n" +
                             "answer Ok printer=" + printer_->Queue() + "\n" + "expect \"^[0-9.]+ preview-result 1\"\n";
  const e2e::RunResult run = Run(15, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Bodies(run, "demo-done"), std::vector<std::string>{"demo-done 1 8 extra=0"});
  EXPECT_EQ(Bodies(run, "print-job").size(), 1u);
  EXPECT_EQ(PrintedSheets(), (std::vector<int>{1, 2, 5, 7, 12, 13, 14, 15}));
}

TEST_F(Preview, PagesToPrintTextsAndWhatTheyPrint) {
  struct Case {
    int pages;
    const char* text;
    std::vector<int> printed;
  };
  // Option 4 prints without the printer dialog.
  const Case cases[] = {{12, "1-2,5,7,12-15", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                        {6, "5-3", {5}},
                        {3, "all", {1, 2, 3}},
                        {3, "ALL", {1, 2, 3}}};
  for (const Case& c : cases) {
    printer_->ForgetJob();
    std::string script = std::string("type ") + kWindow + " ?PGSTOPRINT \"" + c.text + "\"\n";
    if (c.printed.size() == static_cast<std::size_t>(c.pages) && c.pages == 12)
      script += "answer Ok\nexpect \"^[0-9.]+ message .Error. .*1-2,5,7,12-15.* is invalid!\"\n";
    script += std::string("press ") + kWindow + " ?PRINT\nexpect \"^[0-9.]+ preview-result 1\"\n";
    const e2e::RunResult run = Run(c.pages, 4, script);
    ASSERT_EQ(run.exitCode, 0) << c.text << run.output;
    EXPECT_EQ(PrintedSheets(), c.printed) << c.text;
  }
}

TEST_F(Preview, ZoomLimitsPagingButtonsAndThePageNumber) {
  const std::string w = kWindow;
  const std::string script = "type " + w + " ?ZOOMPCTVAL 10\nexpect \"^[0-9.]+ preview-page 1 25$\"\n" +
                             "type " + w + " ?ZOOMPCTVAL 300\nexpect \"^[0-9.]+ preview-page 1 250$\"\n" +
                             "press " + w + " ?PREVPAGE\npress " + w + " ?FIRSTPAGE\n" +
                             "type " + w + " ?VISIBLEPAGENUMBER 99\nexpect \"^[0-9.]+ preview-page 10 \"\n" +
                             "press " + w + " ?NEXTPAGE\npress " + w + " ?LASTPAGE\n" +
                             "press " + w + " ?FIRSTPAGE\nexpect \"^[0-9.]+ preview-page 1 \"\n" +
                             "press " + w + " ?NEXTPAGE\nexpect \"^[0-9.]+ preview-page 2 \"\n" +
                             "press " + w + " ?FULLWIDTH\nexpect \"^[0-9.]+ preview-page 2 \"\n" +
                             "key " + w + " Esc\nexpect \"^[0-9.]+ preview-result 2\"\n";
  const e2e::RunResult run = Run(10, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::vector<std::string> shown = Bodies(run, "preview-page");
  ASSERT_GE(shown.size(), 7u);
  // Opening shows page 1 zoomed to fit the width; disabled buttons show nothing.
  std::vector<std::string> pages;
  for (const std::string& s : shown) pages.push_back(s.substr(13, s.find(' ', 13) - 13));
  EXPECT_EQ(pages, (std::vector<std::string>{"1", "1", "1", "10", "1", "2", "2"}));
  EXPECT_EQ(shown[1], "preview-page 1 25");
  EXPECT_EQ(shown[2], "preview-page 1 250");
  EXPECT_EQ(Bodies(run, "demo-done"), std::vector<std::string>{"demo-done 2 10 extra=0"});
}

TEST_F(Preview, PrintThisPagePrintsThePageShownWhateverTheRange) {
  const std::string w = kWindow;
  const std::string script = "type " + w + " ?PGSTOPRINT 1-2\npress " + w + " ?NEXTPAGE\npress " + w +
                             " ?NEXTPAGE\nexpect \"^[0-9.]+ preview-page 3 \"\npress " + w + " ?PRINTTHISPAGE\n" +
                             "expect \"^[0-9.]+ close-window [0-9]+ .Printing.\"\nclose " + w + "\n";
  const e2e::RunResult run = Run(15, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(PrintedSheets(), std::vector<int>{3});
  EXPECT_EQ(Bodies(run, "demo-done"), std::vector<std::string>{"demo-done 2 15 extra=0"});
}

TEST_F(Preview, SearchFindsThePagesAndF3F2WalkThem) {
  const std::string w = kWindow;
  const std::string dir = e2e::MakeTempDir("search");
  const std::string script =
      "press " + w + " ?SEARCH\ntype \"Find...\" ?SEARCHFOR Giraffe\npress \"Find...\" ?MATCHCASE\n" +
      "screenshot " + dir + "/find.png \"Find...\"\n" + "press \"Find...\" \"Begin\"\n" +
      "answer Ok\nexpect \"^[0-9.]+ message .Search Completed.... .Search string found on 3 pages\"\nexpect \"^[0-9.]+ preview-page 3 \"\n" +
      "key " + w + " F3\nexpect \"^[0-9.]+ preview-page 7 \"\nkey " + w + " F3\nexpect \"^[0-9.]+ preview-page 15 \"\n" +
      "key " + w + " F3\nexpect \"^[0-9.]+ preview-page 15 \"\nkey " + w + " F2\nexpect \"^[0-9.]+ preview-page 7 \"\n" +
      // Without Match Case the capitals of page 10 count too.
      "press " + w + " ?SEARCH\ntype \"Find...\" ?SEARCHFOR giraffe\npress \"Find...\" \"Begin\"\n" +
      "answer Ok\nexpect \"^[0-9.]+ message .* found on 4 pages\"\n" +
      "press " + w + " ?SEARCH\ntype \"Find...\" ?SEARCHFOR Hippo\npress \"Find...\" \"Begin\"\n" +
      "answer Ok\nexpect \"^[0-9.]+ message .No Match!. .Search string not found in this report!.\"\n" +
      "close " + w + "\n";
  const e2e::RunResult run = Run(20, 0, script, "", 50, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(dir + "/find.png"));
}

TEST_F(Preview, TextExportPutsATextOnItsLineAndColumn) {
  const std::string w = kWindow;
  const std::string dir = e2e::MakeTempDir("text");
  const std::string target = dir + "/pages.txt";
  const e2e::RunResult first = Run(2, 0, "press " + w + " ?ASCIIOUTBUTTON\nexpect \"^[0-9.]+ text-export \"\nclose " + w + "\n", target);
  ASSERT_EQ(first.exitCode, 0) << first.output;
  std::ifstream in(target);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_GE(lines.size(), 18u);
  EXPECT_EQ(lines[17].substr(24, 7), "Marker\r");  // line 18, column 25, lines end in CR LF
  // A caption that starts with "~" asks for the name first.
  const e2e::RunResult asked = Run(2, 0, "press " + w + " ?ASCIIOUTBUTTON\nanswer Save \"" + dir +
                                             "/asked.txt\"\nexpect \"^[0-9.]+ text-export \"\nclose " + w + "\n", "~x.txt");
  ASSERT_EQ(asked.exitCode, 0) << asked.output;
  EXPECT_TRUE(std::filesystem::exists(dir + "/asked.txt"));
}

TEST_F(Preview, ViewOnlyAndNoExitOptions) {
  const std::string w = kWindow;
  // View only: the print controls do nothing.
  const e2e::RunResult viewOnly = Run(3, 64, "press " + w + " ?PRINT\npress " + w + " ?PRINTTHISPAGE\nsleep 300\n" +
                                                 "press " + w + " ?NEXTPAGE\nexpect \"^[0-9.]+ preview-page 2 \"\nclose " + w + "\n");
  ASSERT_EQ(viewOnly.exitCode, 0) << viewOnly.output;
  EXPECT_TRUE(Bodies(viewOnly, "print-job").empty());
  EXPECT_TRUE(Bodies(viewOnly, "printer-dialog").empty());
  EXPECT_EQ(Bodies(viewOnly, "preview-result"), std::vector<std::string>{"preview-result 2"});
  // Option 2: Esc is ignored; the window still closes by its close box.
  const e2e::RunResult noExit = Run(3, 2, "key " + w + " Esc\npress " + w + " ?NEXTPAGE\nexpect \"^[0-9.]+ preview-page 2 \"\n" +
                                              "close " + w + "\n");
  ASSERT_EQ(noExit.exitCode, 0) << noExit.output;
  EXPECT_EQ(Bodies(noExit, "preview-result"), std::vector<std::string>{"preview-result 2"});
}

TEST_F(Preview, ArrowsPageAcrossPagesWithOption128AndClicksZoom) {
  const std::string w = kWindow;
  const std::string script = "key " + w + " Down\nexpect \"^[0-9.]+ preview-page 2 \"\nkey " + w + " Up\n" +
                             "expect \"^[0-9.]+ preview-page 1 \"\nkey " + w + " Space\nexpect \"^[0-9.]+ preview-page 1 50$\"\n" +
                             "key " + w + " Space\nkey " + w + " Alt+S\nkey " + w + " Ctrl+M\nanswer Cancel\nclose " + w + "\n";
  const e2e::RunResult run = Run(3, 16 | 128, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto shown = Bodies(run, "preview-page");
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[4], shown[0]);  // the second Space returns to the fit
}

TEST(PreviewEmpty, AnEmptyPageListReturnsTwoAtOnce) {
  e2e::RunOptions run;
  run.program = std::string(STORYLOOM_SUITE_DIR) + "/rpvw32_demo";
  run.arguments = {"0"};
  run.timeoutSeconds = 180;
  const e2e::RunResult result = e2e::RunProgram(run);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_TRUE(e2e::LinesWith(result.journal, "open-window").empty());
  EXPECT_EQ(e2e::LinesWith(result.journal, "preview-result 2").size(), 1u);
}

}  // namespace

namespace {

TEST_F(Preview, StayAfterPrintingPrintsTheRangeAndKeepsTheWindowAndExtraButtonsSetTheirNumber) {
  // The title names the printer: "Report Preview   [<queue> on <uri>]".
  const std::string w = "\"Report Preview   [" + printer_->Queue() + " on \"";
  const std::string script = "press " + w + " ?PRINTANDSTAY\ntype " + w + " ?PGSTOPRINT 2-3\n" +
                             "press " + w + " ?EXTRABUTTON1\npress " + w + " ?PRINT\n" +
                             "answer Ok printer=" + printer_->Queue() + "\n" +
                             "expect \"^[0-9.]+ close-window [0-9]+ .Printing.\"\npress " + w + " ?NEXTPAGE\n" +
                             "expect \"^[0-9.]+ preview-page 2 \"\nclose " + w + "\n";
  const e2e::RunResult run = Run(4, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(PrintedSheets(), (std::vector<int>{2, 3}));
  // Printed here: the caller prints nothing more, and the extra button set its number.
  EXPECT_EQ(Bodies(run, "demo-done"), std::vector<std::string>{"demo-done 1 0 extra=1"});
  EXPECT_EQ(Bodies(run, "print-job").size(), 1u);
}

TEST_F(Preview, ACancelledPrinterDialogPrintsNothingAndTheWindowStays) {
  const std::string w = kWindow;
  const std::string script = "press " + w + " ?PRINT\nanswer Cancel\n" +
                             "expect \"^[0-9.]+ printer-dialog .Select Printer.... -> Cancel\"\n" +
                             "press " + w + " ?NEXTPAGE\nexpect \"^[0-9.]+ preview-page 2 \"\n" +
                             "press " + w + " ?CLOSE\nexpect \"^[0-9.]+ preview-result 2\"\n";
  const e2e::RunResult run = Run(3, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(Bodies(run, "print-job").empty());
  EXPECT_EQ(Bodies(run, "demo-done"), std::vector<std::string>{"demo-done 2 3 extra=0"});
}

// A report that wants another paper bin than the printer's is printed by the previewer itself
// with the report's paper settings, so the caller's list comes back empty; option 32 asks
// for the dialog's setup form.
TEST_F(Preview, APaperBinOfItsOwnIsPrintedHereAndOption32AsksForTheSetupForm) {
  const std::string script = std::string("press ") + kWindow + " ?PRINT\nanswer Ok printer=" + printer_->Queue() +
                             "\nexpect \"^[0-9.]+ preview-result 1\"\n";
  const e2e::RunResult ownBin = Run(3, 32, script, "", 50, "", {"15"});
  ASSERT_EQ(ownBin.exitCode, 0) << ownBin.output;
  const auto dialogs = Bodies(ownBin, "printer-dialog");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].rfind("printer-dialog \"Select Printer...\" setup -> Ok", 0), 0u) << dialogs[0];
  EXPECT_EQ(Bodies(ownBin, "demo-done"), std::vector<std::string>{"demo-done 1 0 extra=0"});
  EXPECT_EQ(PrintedSheets(), (std::vector<int>{1, 2, 3}));

  printer_->ForgetJob();
  const e2e::RunResult sameBin = Run(3, 0, script, "", 50, "", {"0"});
  ASSERT_EQ(sameBin.exitCode, 0) << sameBin.output;
  EXPECT_EQ(Bodies(sameBin, "printer-dialog")[0].find(" setup "), std::string::npos);
  EXPECT_EQ(Bodies(sameBin, "demo-done"), std::vector<std::string>{"demo-done 1 3 extra=0"});  // the caller prints
  EXPECT_EQ(PrintedSheets(), (std::vector<int>{1, 2, 3}));
}

// F1 opens the caller's help file at the caller's context; an HTML file opens at that anchor.
TEST_F(Preview, F1OpensTheHelpFileAndContextTheCallerGave) {
  const std::string dir = e2e::MakeTempDir("preview-help");
  const std::string help = dir + "/preview-help.html";
  std::ofstream(help) << "<html><body><h1 id='printing'>Printing</h1></body></html>";
  const std::string script = std::string("key ") + kWindow + " F1\nexpect \"^[0-9.]+ help \"\n" + "key " + kWindow +
                             " Esc\nexpect \"^[0-9.]+ preview-result 2\"\n";
  e2e::RunOptions run;
  run.program = std::string(STORYLOOM_SUITE_DIR) + "/rpvw32_demo";
  run.arguments = {"2", "0", "50", "1", "", "0", help, "printing"};
  run.script = "expect \"^[0-9.]+ preview-open 2 \"\n" + script;
  run.environment = {"WDRT_SHELL_OPEN=/bin/true"};
  run.timeoutSeconds = 40;
  const e2e::RunResult result = e2e::RunProgram(run);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(Bodies(result, "help"), std::vector<std::string>{"help \"" + help + "\" \"printing\" -> 42"});
  EXPECT_EQ(Bodies(result, "shell-open"),
            std::vector<std::string>{"shell-open \"file://" + help + "#printing\" -> ok"});
}

}  // namespace

namespace {

TEST_F(Preview, TheCtrlMMenuActsLikeTheControls) {
  const std::string w = kWindow;
  const std::string script = "key " + w + " Ctrl+M\nchoose \"Next Page\"\n" +
                             "expect \"^[0-9.]+ preview-page 2 \"\n" +
                             // Disabled on the last page: choosing it is refused, so close the menu.
                             "press " + w + " ?LASTPAGE\nkey " + w + " Ctrl+M\nchoose \"&Last Page\"\n";
  environment_ = {"WDRT_STEP_SECONDS=3"};  // the refused step need not wait long
  const e2e::RunResult refused = Run(3, 0, script);
  environment_.clear();
  EXPECT_EQ(refused.exitCode, 3);  // the script stops at the disabled entry
  EXPECT_EQ(e2e::LinesWith(refused.journal, "popup-menu -> \"&Next Page\"").size(), 1u);

  const e2e::RunResult run = Run(3, 64, "key " + w + " Ctrl+M\nchoose \"Full Height\"\n" +
                                            "expect \"^[0-9.]+ popup-menu -> \\\"Full &Height\\\"\"\n" +
                                            "key " + w + " Ctrl+M\nanswer Cancel\n" +
                                            "expect \"^[0-9.]+ popup-menu -> none\"\nkey " + w + " Ctrl+M\nchoose Exit\n" +
                                            "expect \"^[0-9.]+ preview-result 2\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
}

}  // namespace

namespace {

TEST_F(Preview, ResizingRefitsThePageAndF3WithoutASearchBeeps) {
  const std::string w = kWindow;
  const std::string script = "resize " + w + " 300 250\nexpect \"^[0-9.]+ preview-page 1 \"\nkey " + w + " F3\n" +
                             "expect \"^[0-9.]+ beep 16 150\"\nclose " + w + "\n";
  const e2e::RunResult run = Run(3, 0, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto open = Bodies(run, "preview-open");
  const auto shown = Bodies(run, "preview-page");
  ASSERT_EQ(open.size(), 1u);
  ASSERT_GE(shown.size(), 2u);
  // A narrower window fits the width at a smaller zoom.
  EXPECT_LT(std::atoi(shown.back().c_str() + 15), std::atoi(open[0].c_str() + 15)) << shown.back() << " / " << open[0];
}

}  // namespace
