// CheckOpen and StandardWarning on the personalisation file: creation of a missing file,
// second opens, damaged keys, files that are not ours, and locks held by another process.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>

#include "family/Kidlt.h"
#include "framework/CheckOpen.h"
#include "framework/StandardWarning.h"
#include "runtime/data/ErrorState.h"
#include "tests/books/KidltRawFile.h"
#include "tests/books/KidltTestSupport.h"

using namespace kidlttest;
using namespace std::chrono_literals;

namespace {

class CheckOpenTest : public ::testing::Test {
 protected:
  void TearDown() override {
    KIDLT.Close();
    KIDLT.Send("Recover=0");
    KIDLT.SetName(kKidltFileName);
  }

  // A file with these names, added through the driver.
  static void MakeFile(const std::vector<std::string>& names) {
    ASSERT_TRUE(KIDLT.Create());
    ASSERT_TRUE(KIDLT.Open(wdrt::kModeSharedReadWrite));
    for (const auto& name : names) {
      KIDLT.Record().Clear();
      ASSERT_TRUE(KIDLT.Record().SetText(kKidltNameField, name));
      ASSERT_TRUE(KIDLT.Add());
    }
    KIDLT.Close();
  }

  static std::vector<std::string> NamesInKeyOrder() {
    std::vector<std::string> names;
    KIDLT.Set(kKidltNameKey);
    while (KIDLT.Next()) names.push_back(KIDLT.Record().Text(kKidltNameField));
    EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
    return names;
  }

  TempFolder folder_;
};

std::string Padded(std::string name) {
  name.resize(kKidltNameSize, ' ');
  return name;
}

TEST_F(CheckOpenTest, MissingFileIsCreatedAndHasNoRecords) {
  ScriptedUser user;
  CheckOpen(KIDLT, 1, 0, 0, 1);
  EXPECT_TRUE(KIDLT.IsOpen());
  EXPECT_TRUE(user.Asked().empty());
  EXPECT_EQ(KIDLT.Records(), 0);
  KIDLT.Set(kKidltNameKey);
  EXPECT_FALSE(KIDLT.Next());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  EXPECT_TRUE(std::filesystem::exists("kidlt.tps"));
  EXPECT_EQ(user.Journal(), (std::vector<std::string>{"file open \"kidlt.tps\" 66 -> 2", "file create \"kidlt.tps\" -> 0",
                                                     "file open \"kidlt.tps\" 66 -> 0"}));
}

TEST_F(CheckOpenTest, FileIsFoundWhateverTheCaseOfItsName) {
  MakeFile({"Ada"});
  std::filesystem::rename("kidlt.tps", "KIDLT.TPS");
  ScriptedUser user;
  CheckOpen(KIDLT, 1, 0, 0, 1);
  EXPECT_EQ(KIDLT.Records(), 1);
  // The file in the other case was used, not a new one created beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()), 1);
}

TEST_F(CheckOpenTest, OpeningASecondTimeCountsAsSuccess) {
  ScriptedUser user;
  CheckOpen(KIDLT, 1, 0, 0, 1);
  CheckOpen(KIDLT, 1, 0, 0, 1);
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAlreadyOpen);
  EXPECT_TRUE(KIDLT.IsOpen());
  EXPECT_TRUE(user.Asked().empty());
}

TEST_F(CheckOpenTest, MissingFileWithoutCreateEndsWithDiskError) {
  ScriptedUser user;
  try {
    CheckOpen(KIDLT, 0, 1, 0, 1);
    FAIL() << "CheckOpen returned without a file";
  } catch (const HaltCalled& halt) {
    EXPECT_EQ(halt.message, "Disk Error");
  }
  ASSERT_EQ(user.Asked().size(), 1u);
  EXPECT_EQ(user.Asked()[0].caption, "File Access Error");
  EXPECT_EQ(user.Asked()[0].text, "File (kidlt.tps) could not be opened.  Error: File Not Found (2).");
}

// Ways a key goes bad: dropped altogether, or missing records written while it was hidden.
struct KeyDamage {
  const char* label;
  bool (*damage)(const std::string& path);
};

const KeyDamage kKeyDamages[] = {
    {"dropped", [](const std::string& path) { return RawKidlt(path).Exec("DROP INDEX key_NME"); }},
    {"missing entries", [](const std::string& path) { return AddBehindTheKey(path, {"Aaron", "Zed"}); }},
};

TEST_F(CheckOpenTest, DamagedKeyIsRebuiltWhenTheUserSaysYes) {
  for (const KeyDamage& damage : kKeyDamages) {
    SCOPED_TRACE(damage.label);
    std::filesystem::remove("kidlt.tps");
    MakeFile({"Mia", "Ben"});
    ASSERT_TRUE(damage.damage("kidlt.tps"));
    EXPECT_FALSE(KIDLT.Open(wdrt::kModeSharedReadWrite));
    EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrKeyFileInvalid);

    ScriptedUser user({wdrt::ButtonYes});
    CheckOpen(KIDLT, 1, 0, 0, 1);
    ASSERT_TRUE(KIDLT.IsOpen());
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].caption, "Invalid Key");
    EXPECT_EQ(user.Asked()[0].text, "kidlt.tps key file is invalid.  Do you want to rebuild the key?");
    EXPECT_EQ(user.Asked()[0].buttons, wdrt::ButtonYes | wdrt::ButtonNo);
    EXPECT_EQ(user.Asked()[0].defaultButton, wdrt::ButtonYes);
    EXPECT_EQ(user.Asked()[0].icon, wdrt::IconQuestion);
    std::vector<std::string> expected = {Padded("Ben"), Padded("Mia")};
    if (std::string(damage.label) == "missing entries") expected = {Padded("Aaron"), Padded("Ben"), Padded("Mia"), Padded("Zed")};
    EXPECT_EQ(NamesInKeyOrder(), expected);
    KIDLT.Close();
  }
}

TEST_F(CheckOpenTest, DecliningTheRebuildEndsWithInvalidKey) {
  MakeFile({"Mia"});
  ASSERT_TRUE(RawKidlt("kidlt.tps").Exec("DROP INDEX key_NME"));
  ScriptedUser user({wdrt::ButtonNo});
  try {
    CheckOpen(KIDLT, 1, 0, 0, 1);
    FAIL() << "CheckOpen returned";
  } catch (const HaltCalled& halt) {
    EXPECT_EQ(halt.message, "Invalid Key!");
  }
  const auto journal = user.Journal();
  ASSERT_GE(journal.size(), 2u);
  EXPECT_EQ(journal[journal.size() - 2],
            "message \"Invalid Key\" \"kidlt.tps key file is invalid.  Do you want to rebuild the key?\" -> No");
  EXPECT_EQ(journal.back(), "halt 1 \"Invalid Key!\"");
  // Nothing was rebuilt: the key is still reported as damaged.
  EXPECT_FALSE(KIDLT.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrKeyFileInvalid);
}

TEST_F(CheckOpenTest, KeyThatCannotBeRebuiltEndsWithRebuildError) {
  // A second "Mia" written behind the key: the unique key cannot be built over the records.
  MakeFile({"Mia"});
  ASSERT_TRUE(AddBehindTheKey("kidlt.tps", {"Mia"}));
  ScriptedUser user({wdrt::ButtonYes});
  try {
    CheckOpen(KIDLT, 1, 0, 0, 1);
    FAIL() << "CheckOpen returned";
  } catch (const HaltCalled& halt) {
    EXPECT_EQ(halt.message, "Error Rebuilding Key!");
  }
  ASSERT_EQ(user.Asked().size(), 2u);
  EXPECT_EQ(user.Asked()[1].caption, "Key Rebuild Error");
  EXPECT_EQ(user.Asked()[1].text,
            "Error: (Creates Duplicate Key (40)) repairing key for kidlt.tps.  Press OK to end this application.");
  // The failed rebuild left the records as they were.
  EXPECT_TRUE(RawKidlt("kidlt.tps").Exec("SELECT 1 FROM data"));
}

// Files that are not personalisation files, or not readable with our password.
struct ForeignFile {
  const char* label;
  void (*make)();
};

void WriteBytes(const std::string& bytes) {
  std::ofstream("kidlt.tps", std::ios::binary | std::ios::trunc) << bytes;
}

const ForeignFile kForeignFiles[] = {
    {"random bytes",
     [] {
       std::mt19937 random(7);
       std::string bytes(8192, '\0');
       for (char& c : bytes) c = static_cast<char>(random());
       WriteBytes(bytes);
     }},
    {"zero bytes", [] { WriteBytes(""); }},
    {"text", [] { WriteBytes("Ada\r\nBen\r\n"); }},
    {"truncated",
     [] {
       wdrt::KeyedFile file(KidltDefinition());
       ASSERT_TRUE(file.Create());
       ASSERT_TRUE(file.Open(wdrt::kModeSharedReadWrite));
       for (int i = 0; i < 300; ++i) {
         file.Record().SetText(kKidltNameField, "Name" + std::to_string(i));
         ASSERT_TRUE(file.Add());
       }
       file.Close();
       std::filesystem::resize_file("kidlt.tps", std::filesystem::file_size("kidlt.tps") / 2);
     }},
    {"wrong owner password",
     [] {
       wdrt::FileDef def = KidltDefinition();
       def.owner = "not the password";
       wdrt::KeyedFile file(def);
       ASSERT_TRUE(file.Create());
     }},
    {"another layout",
     [] {
       wdrt::FileDef def = KidltDefinition();
       def.fields[2].size = 21;
       wdrt::KeyedFile file(def);
       ASSERT_TRUE(file.Create());
     }},
};

TEST_F(CheckOpenTest, FileThatIsNotOursGivesInvalidFile) {
  for (const ForeignFile& foreign : kForeignFiles) {
    SCOPED_TRACE(foreign.label);
    std::filesystem::remove("kidlt.tps");
    foreign.make();
    const auto sizeBefore = std::filesystem::file_size("kidlt.tps");
    ScriptedUser user;
    try {
      CheckOpen(KIDLT, 1, 0, 0, 1);
      ADD_FAILURE() << "CheckOpen returned";
    } catch (const HaltCalled& halt) {
      EXPECT_EQ(halt.message, "Invalid File!");
    }
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].caption, "Invalid File");
    EXPECT_EQ(user.Asked()[0].text, "Error: (Invalid File (47)) accessing kidlt.tps.  Press OK to end this application.");
    EXPECT_FALSE(KIDLT.IsOpen());
    // The file is left as it was: nothing created over it, nothing written into it.
    EXPECT_EQ(std::filesystem::file_size("kidlt.tps"), sizeBefore);
  }
}

TEST_F(CheckOpenTest, LockedFileOpensAfterRecoverOnceTheLockIsGone) {
  MakeFile({"Ada"});
  ChildProcess holder({"hold", "kidlt.tps", "60000"});
  ASSERT_TRUE(holder.Started());
  ASSERT_EQ(holder.ReadLine(30s), "locked");
  ScriptedUser user;
  // The holder lets go half a second after the open begins, whatever the machine's load.
  const auto start = std::chrono::steady_clock::now();
  std::thread release([&] {
    std::this_thread::sleep_for(500ms);
    holder.CloseInput();
  });
  CheckOpen(KIDLT, 1, 0, 0, 1);
  const auto waited = std::chrono::steady_clock::now() - start;
  release.join();
  EXPECT_TRUE(KIDLT.IsOpen());
  EXPECT_TRUE(user.Asked().empty());
  EXPECT_EQ(KIDLT.Send("Recover"), "10");
  EXPECT_GT(waited, 300ms);  // it did wait for the holder
  EXPECT_LT(waited, 10s);
  EXPECT_EQ(KIDLT.Records(), 1);
  EXPECT_EQ(holder.Wait(30s), 0);
}

TEST_F(CheckOpenTest, FileStillLockedAfterRecoverEndsWithDiskError) {
  MakeFile({"Ada"});
  ChildProcess holder({"hold", "kidlt.tps", "60000"});
  ASSERT_TRUE(holder.Started());
  ASSERT_EQ(holder.ReadLine(30s), "locked");
  ScriptedUser user;
  const auto start = std::chrono::steady_clock::now();
  try {
    CheckOpen(KIDLT, 1, 0, 0, 1);
    FAIL() << "CheckOpen returned";
  } catch (const HaltCalled& halt) {
    EXPECT_EQ(halt.message, "Disk Error");
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, 9s);
  ASSERT_EQ(user.Asked().size(), 1u);
  EXPECT_EQ(user.Asked()[0].caption, "File Access Error");
  EXPECT_EQ(user.Asked()[0].text, "File (kidlt.tps) could not be opened.  Error: File Is Locked (32).");
  EXPECT_EQ(user.Journal().back(), "halt 1 \"Disk Error\"");
  holder.CloseInput();
  EXPECT_EQ(holder.Wait(30s), 0);
}

}  // namespace
