// The personalisation file itself: its record, key order, no silent cuts, nothing lost when
// a writer is killed, and nothing readable on disk without the owner password.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "family/Kidlt.h"
#include "runtime/data/ErrorState.h"
#include "tests/books/KidltTestSupport.h"

using namespace kidlttest;
using namespace std::chrono_literals;

namespace {

class KidltFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(file_.Create()) << wdrt::ErrorCode() << " " << wdrt::FileErrorText();
    ASSERT_TRUE(file_.Open(wdrt::kModeSharedReadWrite)) << wdrt::ErrorCode() << " " << wdrt::FileErrorText();
  }
  bool AddName(const std::string& name) {
    file_.Record().Clear();
    return file_.Record().SetText(kKidltNameField, name) && file_.Add();
  }

  TempFolder folder_;
  wdrt::KeyedFile file_{KidltDefinition()};
};

TEST_F(KidltFileTest, RecordIsTheDeclaredFiftySevenBytes) {
  EXPECT_EQ(wdrt::RecordLength(KidltDefinition()), kKidltRecordLength);
  EXPECT_EQ(file_.Record().Length(), 57u);
  const auto offsets = wdrt::FieldOffsets(KidltDefinition());
  EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 30, 34, 54}));
  EXPECT_TRUE(wdrt::FindKey(KidltDefinition(), "KDL:NME").has_value());
  EXPECT_TRUE(wdrt::FindField(KidltDefinition(), "KDL:OTEHR").has_value());
}

TEST_F(KidltFileTest, NamesComeBackInKeyOrderBlankPadded) {
  for (const char* name : {"Zoe", "adam", "Mia", "Ben", "Mia Rose"}) ASSERT_TRUE(AddName(name)) << name;
  std::vector<std::string> names;
  file_.Set(kKidltNameKey);
  while (file_.Next()) names.push_back(file_.Record().Text(kKidltNameField));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  const std::vector<std::string> expected = {"Ben", "Mia", "Mia Rose", "Zoe", "adam"};
  ASSERT_EQ(names.size(), expected.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string padded = expected[i];
    padded.resize(30, ' ');
    EXPECT_EQ(names[i], padded);
  }
  // Backwards from the end, and GET by the key.
  file_.Set(kKidltNameKey);
  ASSERT_TRUE(file_.Previous());
  EXPECT_EQ(file_.Record().Text(kKidltNameField).substr(0, 4), "adam");
  file_.Record().Clear();
  file_.Record().SetText(kKidltNameField, "Mia");
  ASSERT_TRUE(file_.Get(kKidltNameKey));
  EXPECT_FALSE(file_.Record().SetText(kKidltNameField, std::string(31, 'x')));  // never cut silently
  file_.Record().SetText(kKidltNameField, "Nobody");
  EXPECT_FALSE(file_.Get(kKidltNameKey));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrRecordNotFound);
}

TEST_F(KidltFileTest, ANameIsKeptOnce) {
  ASSERT_TRUE(AddName("Ben"));
  EXPECT_FALSE(AddName("Ben"));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrDuplicateKey);
  EXPECT_EQ(file_.Records(), 1);
}

TEST_F(KidltFileTest, NothingReportedDoneIsLostWhenTheWriterIsKilled) {
  file_.Close();
  ChildProcess writer({"add", "kidlt.tps", "100000"});  // far more than it can add before the kill
  ASSERT_TRUE(writer.Started());
  std::vector<std::string> done;
  while (done.size() < 150) {
    auto line = writer.ReadLine(30s);
    ASSERT_TRUE(line.has_value()) << "writer stopped after " << done.size();
    ASSERT_EQ(line->rfind("Child", 0), 0u) << *line;
    done.push_back(*line);
  }
  writer.Kill();
  ASSERT_NE(writer.Wait(30s), -1);
  // Lines already in the pipe were done as well.
  while (auto line = writer.ReadLine(100ms)) done.push_back(*line);

  ASSERT_TRUE(file_.Open(wdrt::kModeSharedReadWrite)) << wdrt::ErrorCode();
  const long records = file_.Records();
  EXPECT_GE(records, static_cast<long>(done.size()));
  EXPECT_LE(records, static_cast<long>(done.size()) + 1);  // at most the one in flight
  EXPECT_LT(records, 100000);  // it really was killed in the middle
  for (const auto& name : done) {
    file_.Record().Clear();
    file_.Record().SetText(kKidltNameField, name);
    EXPECT_TRUE(file_.Get(kKidltNameKey)) << name;
  }
  // The file takes writes again.
  EXPECT_TRUE(AddName("After the crash"));
}

TEST_F(KidltFileTest, FileIsUnreadableWithoutTheOwnerPassword) {
  const std::vector<std::string> names = {"Philippa", "Maximilian", "Ottoline"};
  for (const auto& name : names) ASSERT_TRUE(AddName(name));
  file_.Close();
  std::ifstream in("kidlt.tps", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 0u);
  for (const auto& name : names) EXPECT_EQ(bytes.find(name), std::string::npos) << name;
  for (const char* word : {"KDL", "NAME", "CREATE", "SQLite format"})
    EXPECT_EQ(bytes.find(word), std::string::npos) << word;
  // And no runs of printable characters long enough to carry a name, as `strings` would show.
  std::size_t run = 0, longest = 0;
  for (unsigned char c : bytes) {
    run = (c >= 0x20 && c < 0x7F) ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LT(longest, 20u);
}

}  // namespace
