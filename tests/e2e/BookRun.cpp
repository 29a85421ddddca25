#include "BookRun.h"

#include <fstream>
#include <sstream>

namespace e2e {

RunResult RunBook(const std::string& book, const std::string& script, const std::vector<std::string>& env,
                  const std::string& runDir) {
  RunOptions options;
  options.program = SuiteProgram(book);
  options.workDir = STORYLOOM_SUITE_DIR;
  options.script = script;
  options.environment = env;
  options.runDir = runDir;
  options.timeoutSeconds = 240;
  return RunProgram(options);
}

std::vector<std::string> OpenedPages(const std::vector<std::string>& journal) {
  std::vector<std::string> pages;
  const std::string marker = "\"Learning Words\" ";
  for (const std::string& line : LinesWith(journal, " open-window ")) {
    auto at = line.find(marker);
    if (at != std::string::npos) pages.push_back(line.substr(at + marker.size()));
  }
  return pages;
}

int ThreadOf(const std::string& line) {
  for (const char* verb : {"open-window ", "close-window "}) {
    auto at = line.find(verb);
    if (at != std::string::npos) return std::atoi(line.c_str() + at + std::string(verb).size());
  }
  return -1;
}

std::vector<std::string> MciCommands(const std::vector<std::string>& journal) {
  std::vector<std::string> commands;
  for (const std::string& line : journal) {
    const std::string body = Body(line);
    if (body.rfind("mci ", 0) == 0) commands.push_back(body.substr(4));
  }
  return commands;
}

std::string NextTimes(int count, int pagesOpenBefore) {
  // Each press waits until the newest page has started its narration, as a child who listens
  // does: a page whose narration started after a newer page's would find the sound's alias
  // taken. The last page's lines are left for the caller's own expectations.
  const std::string narrationStarted = "expect \"mci .play Mp3. -> \"\n";
  std::string script;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) script += "expect \"open-window [0-9]+ .Learning Words.\"\n";
    script += narrationStarted;
    script += "press top ?NEXT\n";
    script += "wait-window \"Learning Words\" " + std::to_string(pagesOpenBefore + i) + "\n";
  }
  return script;
}

std::string ConfigFile(const RunResult& run, const std::string& name) {
  std::ifstream in(run.dir + "/config/storyloom/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace e2e
