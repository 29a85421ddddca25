// GETINI and PUTINI on real files: where names resolve, defaults, the journal line, writers
// on two threads, and a writer killed in the middle of its writes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/data/Ini.h"
#include "runtime/data/IniFile.h"

namespace fs = std::filesystem;

namespace wdrt {
namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class IniFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("storyloom-ini-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    ::setenv("XDG_CONFIG_HOME", (root_ / "xdg").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path ConfigFolder() const { return root_ / "xdg" / "storyloom"; }

  fs::path root_;
};

TEST_F(IniFiles, MissingFileOrKeyReadsAsTheDefaultAndCreatesNothing) {
  EXPECT_EQ(GetIni("S", "k", "dflt", "absent.INI"), "dflt");
  EXPECT_FALSE(fs::exists(ConfigFolder() / "absent.INI"));
  ASSERT_TRUE(PutIni("S", "k", "v", "present.INI"));
  EXPECT_EQ(GetIni("S", "other", "dflt", "present.INI"), "dflt");
  EXPECT_EQ(GetIni("Other", "k", "", "present.INI"), "");
}

TEST_F(IniFiles, BareNameLivesInTheConfigFolderAndAFolderNameStaysAsGiven) {
  ASSERT_TRUE(PutIni("S", "k", "bare", "fete.INI"));
  EXPECT_EQ(ReadFile(ConfigFolder() / "fete.INI"), "[S]\nk=bare\n");

  const fs::path explicitName = root_ / "elsewhere.ini";
  ASSERT_TRUE(PutIni("S", "k", "full", explicitName.string()));
  EXPECT_EQ(ReadFile(explicitName), "[S]\nk=full\n");
  EXPECT_EQ(GetIni("s", "K", "", explicitName.string()), "full");
  EXPECT_FALSE(fs::exists(ConfigFolder() / "elsewhere.ini"));
}

TEST_F(IniFiles, ExistingFileIsFoundWhateverTheCaseOfItsName) {
  fs::create_directories(ConfigFolder());
  std::ofstream(ConfigFolder() / "ATRIUM.ini") << "; mine\n[Main]\nx=1\n";
  EXPECT_EQ(GetIni("MAIN", "X", "", "atrium.INI"), "1");
  ASSERT_TRUE(PutIni("Main", "y", "2", "atrium.INI"));
  EXPECT_EQ(ReadFile(ConfigFolder() / "ATRIUM.ini"), "; mine\n[Main]\nx=1\ny=2\n");
  EXPECT_FALSE(fs::exists(ConfigFolder() / "atrium.INI"));
}

TEST_F(IniFiles, EveryWriteIsJournalled) {
  const long before = JournalLineCount();
  PutIni("__Dont_Touch_Me__", "Sectors", "0", "fete.INI");
  PutIni("Bad]", "k", "v", "fete.INI");  // refused, still a PUTINI call
  const std::vector<std::string> lines = JournalLines();
  ASSERT_GE(static_cast<long>(lines.size()), before + 2);
  EXPECT_NE(lines[before].find("ini-write \"fete.INI\" [__Dont_Touch_Me__] Sectors"), std::string::npos);
  EXPECT_NE(lines[before + 1].find("ini-write \"fete.INI\" [Bad]] k"), std::string::npos);
}

TEST_F(IniFiles, FailedWriteReportsFalseAndKeepsTheOldFile) {
  EXPECT_FALSE(PutIni("S", "k", "v", (root_ / "no" / "such" / "folder.ini").string()));
  const fs::path file = root_ / "locked" / "x.ini";
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "[S]\nk=old\n";
  fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (::geteuid() != 0) {
    EXPECT_FALSE(PutIni("S", "k", "new", file.string()));
    EXPECT_EQ(ReadFile(file), "[S]\nk=old\n");
  }
  fs::permissions(file.parent_path(), fs::perms::owner_all);
}

TEST_F(IniFiles, AbandonedTemporariesOfAKilledWriterAreRemoved) {
  const fs::path file = root_ / "tidy.ini";
  const fs::path stale = root_ / ".tidy.ini.AbC123";
  const fs::path fresh = root_ / ".tidy.ini.XyZ789";
  const fs::path other = root_ / ".other.ini.AbC123";
  for (const fs::path& p : {stale, fresh, other}) std::ofstream(p) << "[half";
  fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
  fs::last_write_time(other, fs::file_time_type::clock::now() - std::chrono::hours(1));
  ASSERT_TRUE(PutIni("S", "k", "v", file.string()));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));  // may belong to a writer still at work
  EXPECT_TRUE(fs::exists(other));
}

TEST_F(IniFiles, ReplacingKeepsTheFileMode) {
  const fs::path file = root_ / "mode.ini";
  std::ofstream(file) << "[S]\n";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(PutIni("S", "k", "v", file.string()));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFiles, TwoThreadsWritingOneFileLoseNothing) {
  constexpr int kWrites = 150;
  auto writer = [](const std::string& prefix) {
    for (int i = 0; i < kWrites; ++i) PutIni("Shared", prefix + std::to_string(i), std::to_string(i), "race.INI");
  };
  std::thread a(writer, "a");
  std::thread b(writer, "b");
  a.join();
  b.join();
  for (int i = 0; i < kWrites; ++i) {
    EXPECT_EQ(GetIni("Shared", "a" + std::to_string(i), "lost", "race.INI"), std::to_string(i));
    EXPECT_EQ(GetIni("Shared", "b" + std::to_string(i), "lost", "race.INI"), std::to_string(i));
  }
}

// A value that shows whether it was written whole.
std::string Payload(int n) { return "begin" + std::to_string(n) + std::string(3000, 'x') + "end"; }

bool IsWholePayload(const std::string& value) {
  if (!value.starts_with("begin") || !value.ends_with("end")) return false;
  const std::size_t digits = value.find('x');
  if (digits == std::string::npos) return false;
  return value == Payload(std::stoi(value.substr(5, digits - 5)));
}

TEST_F(IniFiles, WriterKilledMidWriteLeavesAWholeFile) {
  const fs::path file = root_ / "killed.ini";
  constexpr int kSlots = 8;
  int checked = 0;
  for (int round = 0; round < 12; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int n = 0;; ++n) {
        PutIni("Data", "slot" + std::to_string(n % kSlots), Payload(n), file.string());
        PutIni("Data", "count", std::to_string(n + 1), file.string());
      }
    }
    // Kill it at a different moment of its writing each round, counted from its first whole
    // file (how soon that comes depends on the machine's load).
    for (int i = 0; i < 3000 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(3 + 17 * round));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    ASSERT_TRUE(fs::exists(file)) << "round " << round << ": the writer never wrote its file";
    ++checked;
    const std::string text = ReadFile(file);
    ASSERT_FALSE(text.empty()) << "round " << round;
    ASSERT_TRUE(text.ends_with("\n")) << "round " << round;
    const IniDocument doc = IniDocument::Parse(text);
    for (int slot = 0; slot < kSlots; ++slot) {
      const auto value = doc.Get("Data", "slot" + std::to_string(slot));
      if (value) {
        EXPECT_TRUE(IsWholePayload(*value)) << "round " << round << " slot " << slot;
      }
    }
    ASSERT_TRUE(doc.Get("Data", "count").has_value() || doc.Get("Data", "slot0").has_value());
    fs::remove(file);
  }
  EXPECT_GE(checked, 6) << "the writer was killed too early to prove anything";
}

}  // namespace
}  // namespace wdrt
