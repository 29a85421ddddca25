// The scripted driver: runs the steps of the script named by WDRT_SCRIPT against a running
// program, as a user would, and journals each step. Runs on a thread of its own.
#pragma once

#include <string>
#include <vector>

namespace wdrt {

// One step of a script, split into words; quoted texts are single words without their quotes.
struct ScriptStep {
  int line = 0;
  std::string text;                // the step as written
  std::vector<std::string> words;
  std::vector<bool> quoted;        // which words were quoted
};

std::vector<ScriptStep> ParseScript(const std::string& contents);

// Starts the driver thread when WDRT_SCRIPT names a file. Returns false when it does not.
bool StartScriptDriver();
// At the program's end: waits for a driver whose script has run out to be wholly gone.
void EndScriptDriver();

}  // namespace wdrt
