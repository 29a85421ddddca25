// The binary file driver: bytes at positions, appends, the end of the file, share modes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "runtime/data/BinaryFile.h"
#include "runtime/data/ErrorState.h"

namespace {

class BinaryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "binary-test-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    path_ = folder_ + "/page.wmf";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

  std::string folder_;
  std::string path_;
};

TEST_F(BinaryFileTest, BytesGoWhereTheyArePutAndComeBack) {
  wdrt::BinaryFile file(path_);
  ASSERT_TRUE(file.Create());
  ASSERT_TRUE(file.Open());
  EXPECT_EQ(file.Bytes(), 0);
  ASSERT_TRUE(file.Add("header"));
  ASSERT_TRUE(file.Put(2, Bytes("AD")));
  ASSERT_TRUE(file.Add(std::string_view("\0tail", 5)));
  ASSERT_TRUE(file.Put(16, Bytes("!")));  // past the end: the gap reads as zero bytes
  EXPECT_EQ(file.Bytes(), 17);

  std::vector<std::uint8_t> got;
  ASSERT_TRUE(file.Get(0, 6, got));
  EXPECT_EQ(got, Bytes("heADer"));
  ASSERT_TRUE(file.Get(6, 5, got));
  EXPECT_EQ(got, Bytes(std::string_view("\0tail", 5)));
  ASSERT_TRUE(file.Get(14, 100, got));  // fewer bytes at the end
  EXPECT_EQ(got, Bytes(std::string_view("\0\0!", 3)));
  EXPECT_FALSE(file.Get(17, 1, got));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNoMoreRecords);
  EXPECT_TRUE(got.empty());
  EXPECT_TRUE(file.Flush());
}

TEST_F(BinaryFileTest, ErrorsOfOpenAndUse) {
  wdrt::BinaryFile missing(folder_ + "/none");
  EXPECT_FALSE(missing.Open());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNotFound);
  std::vector<std::uint8_t> got;
  EXPECT_FALSE(missing.Get(0, 1, got));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrNotOpen);

  wdrt::BinaryFile file(path_);
  ASSERT_TRUE(file.Create());
  ASSERT_TRUE(file.Open(wdrt::AccessRead | wdrt::ShareDenyNone));
  EXPECT_FALSE(file.Open());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAlreadyOpen);
  EXPECT_FALSE(file.Add("x"));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAccessDenied);

  wdrt::BinaryFile folder(folder_);
  EXPECT_FALSE(folder.Open());
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrAccessDenied);
}

TEST_F(BinaryFileTest, ShareModesDecideWhoElseMayOpen) {
  wdrt::BinaryFile first(path_), second(path_);
  ASSERT_TRUE(first.Create());
  ASSERT_TRUE(first.Open(wdrt::AccessReadWrite | wdrt::ShareDenyAll));
  EXPECT_FALSE(second.Open(wdrt::kModeSharedReadWrite));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
  EXPECT_FALSE(wdrt::BinaryFile::Remove(path_));
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
  EXPECT_FALSE(second.Create());  // never empties a file someone holds
  first.Close();

  ASSERT_TRUE(first.Open(wdrt::kModeSharedReadWrite));
  ASSERT_TRUE(second.Open(wdrt::kModeSharedReadWrite));
  first.Close();
  second.Close();
  EXPECT_TRUE(wdrt::BinaryFile::Remove(path_));
  EXPECT_FALSE(wdrt::BinaryFile::Exists(path_));
}

}  // namespace
