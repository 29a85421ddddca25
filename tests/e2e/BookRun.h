// Helpers for the end-to-end tests of the book programs: run a book from the suite folder
// (where its sounds lie) and pick apart its journal.
#pragma once

#include <string>
#include <vector>

#include "ProgramRunner.h"

namespace e2e {

inline std::string SuiteProgram(const std::string& name) { return std::string(STORYLOOM_SUITE_DIR) + "/" + name; }

// Runs a book with a script; the book's folder is the suite folder.
RunResult RunBook(const std::string& book, const std::string& script, const std::vector<std::string>& env = {},
                  const std::string& runDir = "");

// Pages opened ("open-window <thread> "Learning Words" <procedure>"), in order: procedure names.
std::vector<std::string> OpenedPages(const std::vector<std::string>& journal);

// The thread number of an open-window or close-window line.
int ThreadOf(const std::string& line);

// The body of every `mci` line, in order.
std::vector<std::string> MciCommands(const std::vector<std::string>& journal);

// A script that presses "Next" on the newest page `count` times, waiting for each new page and
// its narration.
std::string NextTimes(int count, int pagesOpenBefore);

// The contents of a settings file written by the run.
std::string ConfigFile(const RunResult& run, const std::string& name);

}  // namespace e2e
