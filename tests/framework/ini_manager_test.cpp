// The settings manager: its sector list in "__Dont_Touch_Me__", fields of comma lists, the
// "---Unknown---" default, and lists of rows under any key.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/IniManager.h"
#include "runtime/core/Journal.h"
#include "runtime/data/Ini.h"

namespace fs = std::filesystem;

namespace {

class IniManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("storyloom-inimgr-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path File(const std::string& name) const { return root_ / "storyloom" / name; }
  std::string Text(const std::string& name) const {
    std::ifstream in(File(name));
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path root_;
};

TEST_F(IniManagerTest, FirstRunWithoutAFileLeavesAnEmptySectorList) {
  IniManager ini;
  ini.Init("fete.INI");
  EXPECT_TRUE(ini.SECTORS->empty());
  EXPECT_FALSE(fs::exists(File("fete.INI")));
  const long journalStart = wdrt::JournalLineCount();
  ini.Kill();
  ini.Kill();  // a second Kill writes nothing more
  EXPECT_EQ(Text("fete.INI"), "[__Dont_Touch_Me__]\nSectors=0\n");
  EXPECT_EQ(wdrt::JournalLineCount(), journalStart + 1);
  EXPECT_NE(wdrt::JournalLines().back().find(R"(ini-write "fete.INI" [__Dont_Touch_Me__] Sectors)"),
            std::string::npos);
}

TEST_F(IniManagerTest, SectorListOf200RowsSurvivesARoundTrip) {
  std::vector<IniManager::SectorRow> rows;
  for (int i = 1; i <= 200; ++i) {
    rows.push_back({"Family" + std::to_string(i), "Item " + std::to_string(i * 7), i % 3 ? "T" : ""});
  }
  {
    IniManager ini;
    ini.Init("atrium.INI");
    *ini.SECTORS = rows;
    ini.Kill();
  }
  IniManager again;
  again.Init("atrium.INI");
  EXPECT_EQ(*again.SECTORS, rows);
  EXPECT_EQ(again.Read(IniManager::kListSection, "Sectors_200"), "Family200,Item 1400,T");
  again.Kill();
}

TEST_F(IniManagerTest, SectorFieldsAreCutAt99Characters) {
  wdrt::PutIni(IniManager::kListSection, "Sectors", "1", "cut.INI");
  wdrt::PutIni(IniManager::kListSection, "Sectors_1", std::string(150, 'f') + ",i,t", "cut.INI");
  IniManager ini;
  ini.Init("cut.INI");
  ASSERT_EQ(ini.SECTORS->size(), 1u);
  EXPECT_EQ((*ini.SECTORS)[0].FAMILY, std::string(99, 'f'));
  EXPECT_EQ((*ini.SECTORS)[0].ITEM, "i");
}

struct FieldCase {
  const char* value;
  int n;
  const char* expected;
};

class ReadField : public IniManagerTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(ReadField, TakesTheNthCommaField) {
  IniManager ini;
  ini.Init("fields.INI");
  ini.Write("S", "k", GetParam().value);
  EXPECT_EQ(ini.ReadField("S", "k", GetParam().n), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ReadField,
                         ::testing::Values(FieldCase{"whole value", 2, "whole value"},
                                           FieldCase{"whole value", 1, "whole value"},
                                           FieldCase{"a,b,c", 1, "a"}, FieldCase{"a,b,c", 2, "b"},
                                           FieldCase{"a,b,c", 3, "c"}, FieldCase{"a,b,c", 4, "a"},
                                           FieldCase{"a,,c", 2, ""}, FieldCase{"a,b,", 3, ""}));

TEST_F(IniManagerTest, MissingKeyReadsAsUnknownInEveryField) {
  IniManager ini;
  ini.Init("fete.INI");
  EXPECT_EQ(ini.ReadRequired("S", "missing"), "---Unknown---");
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(ini.ReadField("S", "missing", n), "---Unknown---");
  EXPECT_EQ(ini.Read("S", "missing"), "");
  ini.Write("S", "empty", "");
  EXPECT_EQ(ini.ReadRequired("S", "empty"), "");  // present but empty is not unknown
}

TEST_F(IniManagerTest, NumbersAreWrittenInDecimal) {
  IniManager ini;
  ini.Init("fete.INI");
  ini.Write("Run", "Count", -42L);
  EXPECT_EQ(ini.Read("Run", "Count"), "-42");
}

TEST_F(IniManagerTest, BadCountsLoadNoRowsOrAtMostTheCap) {
  for (const char* count : {"abc", "-3", "", "   "}) {
    wdrt::PutIni(IniManager::kListSection, "Sectors", count, "bad.INI");
    IniManager ini;
    ini.Init("bad.INI");
    EXPECT_TRUE(ini.SECTORS->empty()) << count;
  }
  EXPECT_EQ(IniManager::ParseCount("12abc"), 12);
  EXPECT_EQ(IniManager::ParseCount("99999999999999999999"), 32767);
}

struct Pair {
  std::string name;
  std::string value;
  std::string unused;
};

TEST_F(IniManagerTest, ListsOfOneOrTwoFieldsUnderAnyKey) {
  IniManager ini;
  ini.Init("lists.INI");
  const std::vector<Pair> pairs = {{"a", "1", "x"}, {"b", "2", "y"}};
  ini.SaveList(pairs, "Recent", "Files", &Pair::name, &Pair::value);
  EXPECT_EQ(ini.Read("Recent", "Files"), "2");
  EXPECT_EQ(ini.Read("Recent", "Files_2"), "b,2");

  std::vector<Pair> loaded;
  ini.LoadList("Recent", "Files", loaded, &Pair::name);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[1].name, "b");
  EXPECT_EQ(loaded[1].value, "");  // not asked for
}

TEST_F(IniManagerTest, BareNameGoesToTheConfigFolderAndAFolderNameStays) {
  IniManager bare;
  bare.Init("letters.INI");
  bare.Kill();
  EXPECT_TRUE(fs::exists(File("letters.INI")));

  const fs::path elsewhere = root_ / "own" / "my.ini";
  fs::create_directories(elsewhere.parent_path());
  IniManager full;
  full.Init(elsewhere.string());
  full.Kill();
  EXPECT_TRUE(fs::exists(elsewhere));
}

}  // namespace
