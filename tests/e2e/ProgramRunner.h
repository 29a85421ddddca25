// Runs a program of the suite headless with a script, waits for it (bounded), and hands back
// its exit code and journal. Used by the end-to-end tests.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct RunResult {
  int exitCode = -1;     // -1: killed after the timeout
  std::vector<std::string> journal;
  std::string output;    // standard error and output
  std::string dir;       // the run's private folder: config/ holds its settings files
};

struct RunOptions {
  std::string program;                // path of the program
  std::vector<std::string> arguments;
  std::string script;                 // script text
  std::string workDir;                // current folder of the program (empty: a fresh one)
  std::vector<std::string> environment;  // extra NAME=value
  int timeoutSeconds = 180;
  std::string runDir;                 // private folder (journal, config/); empty: a fresh one
};

// Programs see one screen of 1920 × 1080 pixels unless the environment names another platform.
RunResult RunProgram(const RunOptions& options);

// The QT_QPA_PLATFORM setting of an offscreen screen of the given size, whose configuration
// is written into `dir`.
std::string OffscreenScreen(const std::string& dir, int width, int height);

// A fresh private folder under the test's temporary area.
std::string MakeTempDir(const std::string& tag);

// The journal lines that contain `needle`, in order.
std::vector<std::string> LinesWith(const std::vector<std::string>& journal, const std::string& needle);
// The text after the timestamp of a journal line.
std::string Body(const std::string& line);
double Stamp(const std::string& line);

}  // namespace e2e
