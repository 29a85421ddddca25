// Printing a book from its print-selection window: a booklet for every child of the
// personalisation file, previewed and printed on the test's own CUPS printer, or written to a
// PDF; cancelling part way; nothing left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "BookRun.h"
#include "tests/report/ReportTestSupport.h"

namespace {

using e2e::Body;
using e2e::LinesWith;

// Journal lines whose text (after the time) begins with `start`.
std::vector<std::string> Starting(const std::vector<std::string>& journal, const std::string& start) {
  std::vector<std::string> out;
  for (const std::string& line : journal)
    if (Body(line).rfind(start, 0) == 0) out.push_back(Body(line));
  return out;
}

class PrintBook : public reporttest::PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    workDir_ = e2e::MakeTempDir("print-book");
  }

  // The children of the personalisation file, added with the kidlt tool.
  void Children(const std::vector<std::string>& names) {
    std::string command = "cd '" + workDir_ + "' && '" + e2e::SuiteProgram("kidlt") + "' add";
    for (const std::string& n : names) command += " '" + n + "'";
    ASSERT_EQ(std::system((command + " >/dev/null").c_str()), 0);
  }
  void ManyChildren(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("Child " + std::to_string(1000 + i));
    Children(names);
  }

  e2e::RunResult Run(const std::string& book, const std::string& script) {
    e2e::RunOptions options;
    options.program = e2e::SuiteProgram(book);
    options.workDir = workDir_;
    options.script = script;
    options.environment = {"WDRT_SHELL_OPEN=/bin/true"};
    options.timeoutSeconds = 300;
    return e2e::RunProgram(options);
  }

  // The page files and PDFs a run left in its private temporary folder.
  static std::vector<std::string> LeftBehind(const e2e::RunResult& run, const std::string& ending) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(run.dir + "/runtime/storyloom", ec))
      if (entry.path().extension() == ending) found.push_back(entry.path().string());
    return found;
  }

  static std::string Start(const std::string& printButton = "Print Book ") {
    return "press \"Storyloom\" -14\n"
           "wait-window \"Print report or print to pdf file\"\n"
           "press top \"" + printButton + "\"\n";
  }

  std::string workDir_;
};

TEST_F(PrintBook, TwoChildrenGiveTwelveSheetsPreviewedAtHalfSizeAndExitPrintsNothing) {
  Children({"Mia", "Zoe"});
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"preview-open 12 50\"\n"
                                             "press \"Report Preview\" ?CLOSE\n"
                                             "expect \"preview-result 2\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Starting(run.journal, "report-page ").size(), 12u);
  EXPECT_TRUE(Starting(run.journal, "print-job ").empty());
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty()) << "every page file is deleted";
  // The progress window said what it was doing.
  EXPECT_FALSE(Starting(run.journal, "close-window 3 \"Generating Report\"").empty());
}

TEST_F(PrintBook, PrintingOptionsPrintTheCopiesAndLeaveThePrintersOwnCountAlone) {
  Children({"Mia", "Zoe"});
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"preview-open 12 50\"\n"
                                             "press \"Report Preview\" ?PRINT\n"
                                             "answer Ok copies=2\n"
                                             "expect \"print-job \\\"storyloom-test\\\"\"\n"
                                             "expect \"thread-end 3\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "press \"Storyloom\" \"P&rint Setup...\"\n"
                                             "answer Ok\n"
                                             "expect \"printer-dialog \\\"Print Setup\\\" -> Ok \\\"storyloom-test\\\" copies=1\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 24);
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty());
}

TEST_F(PrintBook, ThePdfChoiceWritesTheBookAndOpensIt) {
  Children({"Mia", "Zoe"});
  const e2e::RunResult run = Run("fete", "press \"Storyloom\" -14\n"
                                         "wait-window \"Print report or print to pdf file\"\n"
                                         "press top ?GLO:EMAILREQ\n"
                                         "press top \"Print Book \"\n"
                                         "expect \"pdf-written\"\n"
                                         "expect \"shell-open\"\n"
                                         "press \"Print report or print to pdf file\" \"Done\"\n"
                                         "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(Starting(run.journal, "preview-open").empty()) << "no previewer with the PDF choice";
  const auto written = Starting(run.journal, "pdf-written ");
  ASSERT_EQ(written.size(), 1u);
  // Where a parent looks: the documents folder, named after the book and its two children.
  const std::string pdf = run.dir + "/Documents/Storyloom/Zuli's Birthday Party - 2 children.pdf";
  EXPECT_EQ(written[0], "pdf-written \"" + pdf + "\" 12");
  EXPECT_EQ(reporttest::PdfPages(pdf), 12);
  const std::string second = reporttest::PdfText(pdf, 2, 2);
  EXPECT_NE(second.find("Hi, my name is"), std::string::npos) << second;
  // The first booklet is Mia's: it says her name, not the name the book was built with.
  EXPECT_NE(second.find("Hi, my name is Mia."), std::string::npos) << second;
  EXPECT_NE(reporttest::PdfText(pdf, 8, 8).find("Hi, my name is Zoe."), std::string::npos);
  EXPECT_FALSE(Starting(run.journal, "shell-open \"" + pdf + "\" -> ok").empty());
  // The namer's names: four digits of the time of day and four of the page.
  const auto pages = Starting(run.journal, "report-page ");
  ASSERT_EQ(pages.size(), 12u);
  for (const std::string& line : pages)
    EXPECT_TRUE(std::regex_search(line, std::regex("/[0-9]{4}00(0[1-9]|1[0-2])\\.wmf\"$"))) << line;
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty());
}

TEST_F(PrintBook, AnEmptyListOfChildrenHasNothingToPreviewAndMakesNoPdf) {
  Children({"Mia"});
  ASSERT_EQ(std::system(("cd '" + workDir_ + "' && '" + e2e::SuiteProgram("kidlt") + "' remove Mia >/dev/null").c_str()), 0);
  const e2e::RunResult run = Run("fete", Start() +
                                             "answer Ok\n"
                                             "expect \"message \\\"NOTE...\\\" \\\"Nothing to Preview.\\\"\"\n"
                                             "press \"Print report or print to pdf file\" ?GLO:EMAILREQ\n"
                                             "press \"Print report or print to pdf file\" \"Print Book \"\n"
                                             "sleep 1500\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "Nothing to Preview.\" ->").size(), 1u) << "once, with the PDF box clear";
  EXPECT_TRUE(Starting(run.journal, "pdf-written").empty());
  EXPECT_TRUE(Starting(run.journal, "report-page").empty());
}

TEST_F(PrintBook, CancelThenPreviewWhatIsMadeShowsOnlyThosePages) {
  ManyChildren(100);
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"report-page 1 \"\n"
                                             "press top ?PROGRESS:CANCEL\n"
                                             "answer Yes\n"
                                             "answer Yes\n"
                                             "expect \"preview-open\"\n"
                                             "press \"Report Preview\" ?CLOSE\n"
                                             "expect \"preview-result 2\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto opened = Starting(run.journal, "preview-open ");
  ASSERT_EQ(opened.size(), 1u);
  const int pages = std::atoi(opened[0].c_str() + 13);
  EXPECT_GT(pages, 0);
  EXPECT_LT(pages, 600);
  EXPECT_EQ(pages, static_cast<int>(Starting(run.journal, "report-page ").size()));
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty());
}

TEST_F(PrintBook, CancelWithoutPreviewShowsNothingAndLeavesNoPageBehind) {
  ManyChildren(100);
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"report-page 1 \"\n"
                                             "press top ?PROGRESS:CANCEL\n"
                                             "answer Yes\n"
                                             "answer No\n"
                                             "answer Ok\n"
                                             "expect \"Nothing to Preview.\\\" ->\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_FALSE(Starting(run.journal, "report-page ").empty());
  EXPECT_TRUE(Starting(run.journal, "preview-open").empty());
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty()) << "the pages made before the cancel are deleted";
}

TEST_F(PrintBook, EscThenIgnoreGoesOnToTheEndOneChildAtATime) {
  ManyChildren(60);
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"report-page 1 \"\n"
                                             "key \"Generating Report\" Esc\n"
                                             "answer Yes\n"
                                             "answer Ignore\n"
                                             "expect \"preview-open 360 50\"\n"
                                             "press \"Report Preview\" ?CLOSE\n"
                                             "expect \"close-window [0-9]+ .Report Preview.\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "\"Question\" \"Are you sure you want to CANCEL this Report?\" -> Yes").size(), 1u);
}

TEST_F(PrintBook, TwoRunsAtOnceBothCompleteWithEveryPage) {
  Children({"Mia", "Zoe"});
  const e2e::RunResult run = Run("fete", "press \"Storyloom\" -14\n"
                                         "wait-window \"Print report or print to pdf file\"\n"
                                         "press top ?GLO:EMAILREQ\n"
                                         "press top \"Print Book \"\n"
                                         "press top \"Print Book \"\n"
                                         "expect \"pdf-written .* 12\"\n"
                                         "expect \"pdf-written .* 12\"\n"
                                         "press \"Print report or print to pdf file\" \"Done\"\n"
                                         "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto pages = Starting(run.journal, "report-page ");
  EXPECT_EQ(pages.size(), 24u);
  std::set<std::string> names(pages.begin(), pages.end());
  EXPECT_EQ(names.size(), 24u) << "no two pages share a file";
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty());
}

TEST_F(PrintBook, TheOtherBooksPrintTheirOwnPages) {
  Children({"Mia"});
  struct Case {
    const char* book;
    const char* button;
    const char* pdf;
    const char* sentence;
  } cases[] = {{"banners", "Print Book 1", "Our Flag - Mia.pdf", "50  stars"},
               {"a", "Print Book 1", "Letter A - Mia.pdf", "alligator"},
               {"b", "Print Book 1", "Letter B - Mia.pdf", "bananas"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.book);
    const e2e::RunResult run = Run(c.book, std::string("press \"Storyloom\" -14\n") +
                                               "wait-window \"Print report or print to pdf file\"\n"
                                               "press top ?GLO:EMAILREQ\n"
                                               "press top \"" + c.button + "\"\n"
                                               "expect \"pdf-written\"\n"
                                               "press \"Print report or print to pdf file\" \"Done\"\n"
                                               // The frame of these books takes input again once the window is gone.
                                               "expect \"close-window [0-9]+ \\\"Print report\"\n"
                                               "close \"Storyloom\"\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string pdf = run.dir + "/Documents/Storyloom/" + c.pdf;
    EXPECT_EQ(reporttest::PdfPages(pdf), 6);
    std::string text = reporttest::PdfText(pdf);
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    std::string sentence = std::regex_replace(std::string(c.sentence), std::regex("\\s+"), " ");
    EXPECT_NE(text.find(sentence), std::string::npos) << text.substr(0, 600);
  }
}

// The distinct pictures of a PDF and whether all are stored as JPEG: pdfimages lists each
// placement of a picture with the object that holds it.
struct PictureObjects {
  std::set<std::string> objects;
  bool allJpeg = true;
};
PictureObjects Pictures(const std::string& pdf) {
  PictureObjects found;
  const std::string list = reporttest::Run("pdfimages -list " + reporttest::ShellQuoted(pdf) + " 2>/dev/null");
  std::istringstream lines(list);
  std::string line;
  std::getline(lines, line);  // the heading
  std::getline(lines, line);  // its rule
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.size() < 12) continue;
    found.allJpeg = found.allJpeg && w[8] == "jpeg";
    found.objects.insert(w[10] + " " + w[11]);  // object and generation
  }
  return found;
}

TEST_F(PrintBook, AClassSetOfThirtyIsOneJobWithEachPictureStoredOnce) {
  ManyChildren(30);
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"preview-open 180 50\"\n"
                                             "press \"Report Preview\" ?PRINT\n"
                                             "answer Ok\n"
                                             "expect \"print-job \\\"storyloom-test\\\" 180 1\"\n"
                                             "expect \"print-completed \\\"storyloom-test\\\"\"\n"
                                             "expect \"thread-end 3\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ASSERT_TRUE(printer_->WaitForJob());
  const std::string job = printer_->JobFile();
  EXPECT_EQ(reporttest::PdfPages(job), 180);
  const std::string text = reporttest::PdfText(job, 7, 12);
  EXPECT_NE(text.find("Hi, my name is"), std::string::npos) << "the second booklet has its text";
  const PictureObjects pictures = Pictures(job);
  EXPECT_TRUE(pictures.allJpeg);
  EXPECT_GE(pictures.objects.size(), 10u);
  EXPECT_LE(pictures.objects.size(), 20u) << "each picture once, however many booklets place it";
  // The "Printing" window told its progress, and went once CUPS had printed the job.
  EXPECT_FALSE(LinesWith(run.journal, "open-window 3 \"Printing\"").empty());
  EXPECT_FALSE(LinesWith(run.journal, "close-window 3 \"Printing\"").empty());
  EXPECT_TRUE(LeftBehind(run, ".wmf").empty());
}

TEST_F(PrintBook, ClosingTheBookRightAfterPrintStillPrintsTheWholeJob) {
  ManyChildren(30);
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"preview-open 180 50\"\n"
                                             "press \"Report Preview\" ?PRINT\n"
                                             "answer Ok\n"
                                             "close \"Storyloom\"\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ASSERT_TRUE(printer_->WaitForJob());
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 180) << "the whole job reached the printer";
  EXPECT_EQ(Starting(run.journal, "print-job \"storyloom-test\" 180 1").size(), 1u);
  // The program ended after the job was handed over, and ended cleanly.
  const auto handed = LinesWith(run.journal, "print-job ");
  const auto ended = LinesWith(run.journal, "program-end 0");
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_LT(e2e::Stamp(handed[0]), e2e::Stamp(ended[0]));
}

TEST_F(PrintBook, TwoPdfsInARowAreTwoFilesAndWithoutAViewerTheMessageSaysWhere) {
  Children({"Mia"});
  const std::string pdfRun = "press \"Print report or print to pdf file\" \"Print Book \"\n"
                             "expect \"pdf-written\"\n"
                             "answer Ok\n"
                             "expect \"message \\\"PDF saved\\\"\"\n";
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.workDir = workDir_;
  // No program for PDFs: the desktop has none registered.
  options.environment = {"WDRT_SHELL_OPEN="};
  options.script = "press \"Storyloom\" -14\n"
                   "wait-window \"Print report or print to pdf file\"\n"
                   "press \"Print report or print to pdf file\" ?GLO:EMAILREQ\n" +
                   pdfRun + "expect \"thread-end 3\"\n" + pdfRun +
                   "press \"Print report or print to pdf file\" \"Done\"\n"
                   "close \"Storyloom\"\n";
  const e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string folder = run.dir + "/Documents/Storyloom";
  const std::string first = folder + "/Zuli's Birthday Party - Mia.pdf";
  const std::string second = folder + "/Zuli's Birthday Party - Mia (2).pdf";
  EXPECT_EQ(reporttest::PdfPages(first), 6);
  EXPECT_EQ(reporttest::PdfPages(second), 6);
  const auto written = Starting(run.journal, "pdf-written ");
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0], "pdf-written \"" + first + "\" 6");
  EXPECT_EQ(written[1], "pdf-written \"" + second + "\" 6");
  const auto told = LinesWith(run.journal, "message \"PDF saved\"");
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0].find("in the folder " + folder + "."), std::string::npos) << told[0];
  EXPECT_NE(told[1].find("Mia (2).pdf"), std::string::npos) << told[1];
  EXPECT_TRUE(LeftBehind(run, ".pdf").empty()) << "nothing in the private folder";
}

TEST_F(PrintBook, APrinterWhosePaperIsA4GetsA4SheetsWithNothingCut) {
  const std::string queue = printer_->Queue();
  printer_->Admin("lpadmin -p " + queue + " -o media-default=iso_a4_210x297mm");
  Children({"Mia"});
  const e2e::RunResult run = Run("fete", Start() +
                                             "expect \"preview-open 6 50\"\n"
                                             "press \"Report Preview\" ?PRINT\n"
                                             "answer Ok\n"
                                             "expect \"print-completed\"\n"
                                             "expect \"thread-end 3\"\n"
                                             "press \"Print report or print to pdf file\" \"Done\"\n"
                                             "close \"Storyloom\"\n");
  printer_->Admin("lpadmin -p " + queue + " -o media-default=na_letter_8.5x11in");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ASSERT_TRUE(printer_->WaitForJob());
  const std::string job = printer_->JobFile();
  EXPECT_EQ(reporttest::PdfPages(job), 6);
  EXPECT_NE(reporttest::PdfPageSize(job).find("(A4)"), std::string::npos) << reporttest::PdfPageSize(job);
  // Nothing cut: the page numbers and the cover's name are there whole.
  const std::string text = reporttest::PdfText(job);
  EXPECT_NE(text.find("Mia's"), std::string::npos);
  EXPECT_NE(text.find("10"), std::string::npos);
}

}  // namespace
