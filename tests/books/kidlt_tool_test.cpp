// The kidlt tool, run as a parent would run it: adding, listing and removing names, and
// refusing what does not fit rather than cutting it.
#include <gtest/gtest.h>

#include <fstream>

#include "family/Kidlt.h"
#include "tests/books/KidltRawFile.h"
#include "tests/books/KidltTestSupport.h"

using namespace kidlttest;
using namespace std::chrono_literals;

namespace {

struct ToolRun {
  int exitCode;
  std::string output;  // standard output and error together
};

ToolRun Kidlt(const std::vector<std::string>& args) {
  ChildProcess tool(args, KIDLT_TOOL, true);
  EXPECT_TRUE(tool.Started());
  std::string output = tool.ReadAll(20s);
  return {tool.Wait(20s), output};
}

class KidltToolTest : public ::testing::Test {
 protected:
  TempFolder folder_;
};

TEST_F(KidltToolTest, AddsListsInKeyOrderAndRemoves) {
  ToolRun add = Kidlt({"add", "Zoe", "Mia Rose", "  Ben  "});
  EXPECT_EQ(add.exitCode, 0) << add.output;
  EXPECT_NE(add.output.find("created kidlt.tps"), std::string::npos);
  EXPECT_EQ(Kidlt({"list"}).output, "Ben\nMia Rose\nZoe\n");

  ToolRun again = Kidlt({"add", "Zoe"});
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.output.find("\"Zoe\" is already in the list"), std::string::npos);

  ToolRun remove = Kidlt({"remove", "Mia Rose", "Nobody"});
  EXPECT_EQ(remove.exitCode, 1);
  EXPECT_NE(remove.output.find("removed Mia Rose"), std::string::npos);
  EXPECT_NE(remove.output.find("\"Nobody\" is not in the list"), std::string::npos);
  EXPECT_EQ(Kidlt({"list"}).output, "Ben\nZoe\n");

  // What the tool wrote is what the books read.
  wdrt::KeyedFile file(KidltDefinition());
  ASSERT_TRUE(file.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(file.Records(), 2);
}

TEST_F(KidltToolTest, RefusesNamesThatDoNotFitAndNeverCutsThem) {
  const std::string thirty(30, 'a');
  struct Case {
    std::string name;
    bool accepted;
    const char* says;
  } cases[] = {
      {thirty, true, "added"},
      {thirty + "b", false, "has 31 characters, and a name can take at most 30 characters"},
      {"\xC3\x89milie-Fran\xC3\xA7oise de la Tourelle", false, "taking 33 bytes"},
      {"", false, "cannot be empty"},
      {"Tab\there", false, "control characters"},
      {"\xFF\xFE", false, "not valid UTF-8"},
      {"\xE6\x9D\x8E\xE5\xA8\x9C", false, "cannot be printed in a book"},  // 李娜: no code page of a page holds it
      {"Zo\xC3\xAB \xD0\x9C\xD0\xB0", false, "cannot be printed in a book"},  // Latin and Cyrillic together
      {"\xD0\x9C\xD0\xB0\xD1\x88\xD0\xB0", true, "added"},  // Маша prints in the Cyrillic code page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ToolRun run = Kidlt({"add", c.name});
    EXPECT_EQ(run.exitCode, c.accepted ? 0 : 1) << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
  }
  // Only the name that fitted is there, whole.
  EXPECT_EQ(Kidlt({"list"}).output, thirty + "\n\xD0\x9C\xD0\xB0\xD1\x88\xD0\xB0\n");
}

TEST_F(KidltToolTest, LeavesAFileThatIsNotOursAlone) {
  std::ofstream("kidlt.tps") << "not a personalisation file";
  ToolRun run = Kidlt({"add", "Zoe"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("is not a personalisation file"), std::string::npos) << run.output;
  std::ifstream in("kidlt.tps");
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "not a personalisation file");
}

TEST_F(KidltToolTest, DamagedKeyIsReportedAndRebuiltOnRequest) {
  ASSERT_EQ(Kidlt({"add", "Zoe", "Ben"}).exitCode, 0);
  ASSERT_TRUE(AddBehindTheKey("kidlt.tps", {"Ada"}));
  ToolRun list = Kidlt({"list"});
  EXPECT_EQ(list.exitCode, 2);
  EXPECT_NE(list.output.find("run `kidlt rebuild`"), std::string::npos) << list.output;
  EXPECT_EQ(Kidlt({"rebuild"}).exitCode, 0);
  EXPECT_EQ(Kidlt({"list"}).output, "Ada\nBen\nZoe\n");
}

TEST_F(KidltToolTest, ListingAMissingFileIsNotAnError) {
  ToolRun run = Kidlt({"list"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("no names"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("kidlt.tps"));
  EXPECT_EQ(Kidlt({"frobnicate"}).exitCode, 2);
}

}  // namespace
