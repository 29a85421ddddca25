// Figures, not checks: run with --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'.
// Each prints medians taken from the journal's stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "BookRun.h"

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

}  // namespace
