// Shared set-up of the media library's tests: a private working folder, the debug output
// captured in a file there, the program's sound device closed and the journal emptied.
// One test thread at a time.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/core/Journal.h"
#include "tests/pvmedia/SoundFiles.h"

namespace pvtest {

class MediaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    debugFile_ = (folder_.Path() / "debug.txt").string();
    ::setenv("WDRT_DEBUG_OUTPUT", debugFile_.c_str(), 1);
    soundtest::Send("close all");
    wdrt::ResetJournal();
  }
  void TearDown() override {
    soundtest::Send("close all");
    ::unsetenv("WDRT_DEBUG_OUTPUT");
  }

  // Everything written to the debug output since the test began.
  std::string DebugText() const { return soundtest::ReadBytes(debugFile_); }

  // The lines written to the debug output, each with its "\r\n" and the "\n" that ends it.
  std::vector<std::string> DebugLines() const {
    std::vector<std::string> lines;
    std::istringstream in(DebugText());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  // The MCI journal lines without their time stamps: `mci "<command>" -> <code>`.
  static std::vector<std::string> MciLines() {
    std::vector<std::string> lines;
    for (const std::string& line : wdrt::JournalLines()) {
      const std::size_t at = line.find("mci ");
      if (at != std::string::npos) lines.push_back(line.substr(at));
    }
    return lines;
  }

  soundtest::WorkFolder folder_;
  std::string debugFile_;
};

}  // namespace pvtest
