// The text file driver: one record a line, either line end read, line ends written, and
// appenders that never overwrite one another.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "runtime/data/ErrorState.h"
#include "runtime/data/TextFile.h"

namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "text-test-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    path_ = folder_ + "/export.txt";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  std::string Content() {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> Lines(wdrt::TextFile& file) {
    std::vector<std::string> lines;
    std::string line;
    while (file.Next(line)) lines.push_back(line);
    EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
    return lines;
  }

  std::string folder_;
  std::string path_;
};

TEST_F(TextFileTest, EachLineIsOneRecordWhateverItsEnd) {
  struct Case {
    const char* label;
    std::string content;
    std::vector<std::string> lines;
  } cases[] = {
      {"lf", "one\ntwo\n", {"one", "two"}},
      {"crlf", "one\r\ntwo\r\n", {"one", "two"}},
      {"no end on the last", "one\ntwo", {"one", "two"}},
      {"empty lines kept", "\n\nthree\n", {"", "", "three"}},
      {"empty file", "", {}},
      {"long line", std::string(200000, 'x') + "\nshort\n", {std::string(200000, 'x'), "short"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Write(c.content);
    wdrt::TextFile file(path_);
    ASSERT_TRUE(file.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
    EXPECT_EQ(Lines(file), c.lines);
    ASSERT_TRUE(file.Set());  // and again from the top
    EXPECT_EQ(Lines(file), c.lines);
  }
}

TEST_F(TextFileTest, AddWritesWholeLinesWithTheChosenEnd) {
  wdrt::TextFile file(path_);
  ASSERT_TRUE(file.Create());
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.Add("first"));
  EXPECT_EQ(file.Send("EndOfRecord=CRLF"), "CRLF");
  ASSERT_TRUE(file.Add("second"));
  EXPECT_FALSE(file.Add("two\nlines"));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrDriver);
  EXPECT_TRUE(file.Flush());
  EXPECT_EQ(file.Bytes(), 14);
  file.Close();
  EXPECT_EQ(Content(), "first\nsecond\r\n");
}

TEST_F(TextFileTest, AppendersNeverOverwriteOneAnother) {
  wdrt::TextFile creator(path_);
  ASSERT_TRUE(creator.Create());
  constexpr int kLines = 200;
  auto appender = [&](char which) {
    wdrt::TextFile file(path_);
    ASSERT_TRUE(file.Open(wdrt::kModeSharedReadWrite));
    for (int i = 0; i < kLines; ++i) ASSERT_TRUE(file.Add(std::string(1, which) + std::to_string(i)));
  };
  std::thread a(appender, 'a'), b(appender, 'b');
  a.join();
  b.join();
  wdrt::TextFile reader(path_);
  ASSERT_TRUE(reader.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
  const auto lines = Lines(reader);
  EXPECT_EQ(lines.size(), 2u * kLines);
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), 2u * kLines);
}

TEST_F(TextFileTest, ReadOnlyAndMissingFiles) {
  wdrt::TextFile missing(path_);
  EXPECT_FALSE(missing.Open());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNotFound);
  Write("x\n");
  wdrt::TextFile file(path_);
  ASSERT_TRUE(file.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
  EXPECT_FALSE(file.Add("y"));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAccessDenied);
  file.Close();
  std::string line;
  EXPECT_FALSE(file.Next(line));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNotOpen);
  EXPECT_TRUE(wdrt::TextFile::Remove(path_));
  EXPECT_FALSE(wdrt::TextFile::Exists(path_));
}

}  // namespace
