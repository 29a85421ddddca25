// Figures, not checks: run with --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'.
// Each prints medians taken from the journal's stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "BookRun.h"
#include "tests/report/ReportTestSupport.h"

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// For each line matching `from`, the time to the first later line matching `to`.
std::vector<double> Gaps(const std::vector<std::string>& journal, const std::string& from, const std::string& to) {
  std::vector<double> gaps;
  for (std::size_t i = 0; i < journal.size(); ++i) {
    if (journal[i].find(from) == std::string::npos) continue;
    for (std::size_t j = i + 1; j < journal.size(); ++j) {
      if (journal[j].find(to) != std::string::npos) {
        gaps.push_back(e2e::Stamp(journal[j]) - e2e::Stamp(journal[i]));
        break;
      }
    }
  }
  return gaps;
}

TEST(Benchmark, DISABLED_RuntimePressAndStart) {
  std::string script = "press \"Storyloom Demo\" -10\nwait-window \"Demo Page\"\n";
  for (int i = 0; i < 100; ++i) script += "press \"Demo Page\"#1 ?SAY\nexpect \"event [0-9]+ .Demo Page. 1 2\"\n";
  for (int i = 0; i < 100; ++i) script += "press \"Demo Page\"#1 ?NEXT\nwait-window \"Demo Page\" " + std::to_string(i + 2) + "\n";
  script += "close \"Storyloom Demo\"\n";
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("wdrt_demo");
  options.script = script;
  options.timeoutSeconds = 300;
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto press = Gaps(run.journal, "?SAY", "\"Demo Page\" 1 2");
  std::vector<double> start;
  for (std::size_t i = 0; i < run.journal.size(); ++i) {
    const std::string body = e2e::Body(run.journal[i]);
    if (body.rfind("start ", 0) != 0) continue;
    const std::string wanted = "open-window " + body.substr(6) + " ";
    for (std::size_t j = i + 1; j < run.journal.size(); ++j)
      if (run.journal[j].find(wanted) != std::string::npos) {
        start.push_back(e2e::Stamp(run.journal[j]) - e2e::Stamp(run.journal[i]));
        break;
      }
  }
  std::printf("press -> accepted event: median %.3f ms of %zu\n", Median(press), press.size());
  std::printf("START -> open-window: median %.3f ms of %zu\n", Median(start), start.size());
}

TEST(Benchmark, DISABLED_FeteStartNextAndMemory) {
  std::vector<double> frameOpen;
  for (int i = 0; i < 5; ++i) {
    e2e::RunResult run = e2e::RunBook("fete", "wait-window \"Storyloom\"\nclose \"Storyloom\"\n");
    ASSERT_EQ(run.exitCode, 0);
    const auto lines = e2e::LinesWith(run.journal, "open-window 1 \"Storyloom\"");
    if (!lines.empty()) frameOpen.push_back(e2e::Stamp(lines[0]));
  }
  // Each press comes when the page before has settled (its narration started).
  std::string script = "press \"Storyloom\" \"1\"\nwait-window \"Learning Words\" 1\n";
  for (int i = 0; i < 20; ++i)
    script += "sleep 300\npress top ?NEXT\nwait-window \"Learning Words\" " + std::to_string(i + 2) + "\n";
  script += "sleep 300\nclose \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto toOpen = Gaps(run.journal, "press top ?NEXT", "open-window");
  const auto toPlay = Gaps(run.journal, "press top ?NEXT", "mci \"play Mp3\"");
  std::printf("program start -> frame open-window: median %.3f ms of %zu runs\n", Median(frameOpen), frameOpen.size());
  std::printf("Next -> open-window: median %.3f ms of %zu\n", Median(toOpen), toOpen.size());
  std::printf("Next -> play Mp3: median %.3f ms of %zu\n", Median(toPlay), toPlay.size());
  e2e::RunResult eleven = e2e::RunBook("fete", "press \"Storyloom\" \"1\"\nwait-window \"Learning Words\" 1\n" +
                                                   e2e::NextTimes(10, 1) + "sleep 500\nclose \"Storyloom\"\n");
  for (const auto& line : e2e::LinesWith(eleven.journal, "program-end")) std::printf("%s\n", line.c_str());
}

double Worst(const std::vector<double>& values) {
  return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

// A quick child: each "Next" 100 ms after the page before opened, ten times, so that every page
// opens while the one before is still being shown and its narration decoded. The run ends with
// eleven pages open; its peak resident memory is that of eleven pages.
TEST(Benchmark, DISABLED_FeteQuickNextAndMemory) {
  for (int round = 0; round < 3; ++round) {
    std::string script = "press \"Storyloom\" \"1\"\nwait-window \"Learning Words\" 1\n";
    for (int i = 0; i < 10; ++i)
      script += "sleep 100\npress top ?NEXT\nwait-window \"Learning Words\" " + std::to_string(i + 2) + "\n";
    script += "sleep 500\nclose \"Storyloom\"\n";
    e2e::RunResult run = e2e::RunBook("fete", script);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto toOpen = Gaps(run.journal, "press top ?NEXT", "open-window");
    const auto toPlay = Gaps(run.journal, "press top ?NEXT", "mci \"play Mp3\"");
    std::printf("round %d: Next -> open-window: median %.1f ms, worst %.1f ms of %zu\n", round + 1, Median(toOpen),
                Worst(toOpen), toOpen.size());
    std::printf("round %d: Next -> play Mp3: median %.1f ms, worst %.1f ms of %zu\n", round + 1, Median(toPlay),
                Worst(toPlay), toPlay.size());
    for (const auto& line : e2e::LinesWith(run.journal, "program-end")) std::printf("round %d: %s\n", round + 1, line.c_str());
  }
}

// A class set, printed and as a PDF: 30 children (180 sheets) from the previewer's Print to
// CUPS accepting the job, and the job's size; 40 children (240 pages) from the status window
// opening to the PDF written.
TEST(Benchmark, DISABLED_ClassSetPrintedAndAsPdf) {
  reporttest::PrivatePrinter printer;
  ASSERT_TRUE(printer.Ok());
  for (const int children : {30, 40}) {
    const std::string work = e2e::MakeTempDir("class-set");
    std::string add = "cd '" + work + "' && '" + e2e::SuiteProgram("kidlt") + "' add";
    for (int i = 0; i < children; ++i) add += " 'Child " + std::to_string(1000 + i) + "'";
    ASSERT_EQ(std::system((add + " >/dev/null").c_str()), 0);
    const bool pdf = children == 40;
    e2e::RunOptions options;
    options.program = e2e::SuiteProgram("fete");
    options.workDir = work;
    options.environment = {"WDRT_SHELL_OPEN=/bin/true"};
    options.script = "press \"Storyloom\" -14\nwait-window \"Print report or print to pdf file\"\n" +
                     std::string(pdf ? "press top ?GLO:EMAILREQ\npress top \"Print Book \"\nexpect \"pdf-written\"\n"
                                     : "press top \"Print Book \"\nexpect \"preview-open\"\n"
                                       "press \"Report Preview\" ?PRINT\nanswer Ok\nexpect \"print-completed\"\n") +
                     "expect \"thread-end 3\"\npress \"Print report or print to pdf file\" \"Done\"\n"
                     "close \"Storyloom\"\n";
    options.timeoutSeconds = 300;
    const e2e::RunResult run = e2e::RunProgram(options);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    if (pdf) {
      const auto took = Gaps(run.journal, "open-window 3 \"Please Wait...\"", "pdf-written");
      std::printf("40 children, 240 pages: status window -> PDF written %.0f ms\n", took.empty() ? -1 : took[0]);
    } else {
      const auto took = Gaps(run.journal, "printer-dialog", "print-job");
      ASSERT_TRUE(printer.WaitForJob());
      std::printf("30 children, 180 sheets: printer dialog answered -> job accepted %.0f ms; job %ju bytes\n",
                  took.empty() ? -1 : took[0], static_cast<std::uintmax_t>(std::filesystem::file_size(printer.JobFile())));
    }
  }
}

}  // namespace
