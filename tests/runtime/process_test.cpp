// RUN and HALT: Windows-style program names, quiet failure, the journal lines.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/core/Journal.h"
#include "runtime/os/Process.h"

namespace {

namespace fs = std::filesystem;

class CurrentFolder {
 public:
  explicit CurrentFolder(const fs::path& folder) : old_(fs::current_path()) { fs::current_path(folder); }
  ~CurrentFolder() { fs::current_path(old_); }

 private:
  fs::path old_;
};

fs::path FreshFolder() {
  fs::path folder = fs::temp_directory_path() / ("storyloom-run-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

bool WaitForFile(const fs::path& file) {
  for (int i = 0; i < 3000; ++i) {
    if (fs::exists(file)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(RunPrograms, WindowsStyleNameStartsTheProgramWhateverItsCaseWithoutWaiting) {
  const fs::path folder = FreshFolder();
  {
    std::ofstream script(folder / "Fete");
    // The program goes on only once the test lets it: a Run that waited would never return.
    script << "#!/bin/sh\nwhile [ ! -e go ]; do sleep 0.02; done\necho \"$@\" > started.txt\n";
  }
  fs::permissions(folder / "Fete", fs::perms::owner_all);
  CurrentFolder here(folder);
  EXPECT_TRUE(wdrt::Run("fete.exe ", false));
  EXPECT_FALSE(fs::exists(folder / "started.txt"));
  std::ofstream(folder / "go") << "";
  ASSERT_TRUE(WaitForFile(folder / "started.txt"));
  EXPECT_TRUE(wdrt::Run("FETE.EXE one two", true));
  std::ifstream in(folder / "started.txt");
  std::string args;
  std::getline(in, args);
  EXPECT_EQ(args, "one two");
  fs::remove_all(folder);
}

TEST(RunPrograms, MissingOrNotExecutableProgramFailsQuietly) {
  const fs::path folder = FreshFolder();
  std::ofstream(folder / "notes.exe") << "not a program";
  CurrentFolder here(folder);
  const long before = wdrt::JournalLineCount();
  EXPECT_FALSE(wdrt::Run("missing.exe ", false));
  EXPECT_FALSE(wdrt::Run("notes.exe", false));
  EXPECT_FALSE(wdrt::Run("   ", false));
  EXPECT_GT(wdrt::WaitForJournalLine("run \"missing.exe \" -> failed", before, std::chrono::seconds(10)), 0);
  fs::remove_all(folder);
}

TEST(HaltProgram, JournalsItsCodeAndMessageThenEnds) {
  EXPECT_EXIT(
      {
        wdrt::Halt(7, "Invalid File!");
      },
      ::testing::ExitedWithCode(7), "Invalid File!");
}

}  // namespace
