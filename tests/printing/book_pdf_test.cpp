// Where a book's PDF goes: the documents folder as the desktop names it, a name a parent
// recognises, and never over an earlier file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "printing/pdf/BookPdf.h"
#include "runtime/os/Paths.h"
#include "tests/report/ReportTestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(BookPdfName, NamesTheBookAndItsChildren) {
  EXPECT_EQ(printing::BookPdfName("Zuli's Birthday Party", {"Mia"}), "Zuli's Birthday Party - Mia.pdf");
  EXPECT_EQ(printing::BookPdfName("Our Flag", {"Mia", "Noah", "Zoë"}), "Our Flag - 3 children.pdf");
  EXPECT_EQ(printing::BookPdfName("Letter A", {}), "Letter A.pdf");
  // What a file name cannot hold becomes "-"; no hidden files, no nameless ones.
  EXPECT_EQ(printing::BookPdfName("Letter A", {"Ann/Lee"}), "Letter A - Ann-Lee.pdf");
  EXPECT_EQ(printing::BookPdfName(".hidden", {}), "Book.hidden.pdf");
  EXPECT_EQ(printing::BookPdfName("", {"Mia"}), "Book - Mia.pdf");
}

TEST(BookPdfName, ASecondBookNeverTakesTheFirstOnesFile) {
  const std::string folder = reporttest::MakeTempDir("pdf-names") + "/Documents/Storyloom";
  const std::string first = printing::TakePdfName(folder, "Our Flag - Mia.pdf");
  const std::string second = printing::TakePdfName(folder, "Our Flag - Mia.pdf");
  const std::string third = printing::TakePdfName(folder, "Our Flag - Mia.pdf");
  EXPECT_EQ(first, folder + "/Our Flag - Mia.pdf");
  EXPECT_EQ(second, folder + "/Our Flag - Mia (2).pdf");
  EXPECT_EQ(third, folder + "/Our Flag - Mia (3).pdf");
  for (const std::string& f : {first, second, third}) EXPECT_TRUE(fs::exists(f)) << f;
  // A folder that cannot be made gives no name at all.
  std::ofstream(folder + "/a file") << "x";
  EXPECT_EQ(printing::TakePdfName(folder + "/a file/below", "x.pdf"), "");
}

class DocumentsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = reporttest::MakeTempDir("documents");
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
      saved_.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
    ::setenv("HOME", home_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
    fs::create_directories(home_ + "/.config");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      if (value) ::setenv(name.c_str(), value->c_str(), 1); else ::unsetenv(name.c_str());
  }
  void UserDirs(const std::string& line) { std::ofstream(home_ + "/.config/user-dirs.dirs") << "# set by the desktop\n" << line << "\n"; }
  std::string home_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(DocumentsFolder, IsTheDesktopsOwnElseDocumentsInTheHomeFolder) {
  EXPECT_EQ(wdrt::DocumentsFolder(), home_ + "/Documents") << "nothing set";
  UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"");
  EXPECT_EQ(wdrt::DocumentsFolder(), home_ + "/Dokumente");
  UserDirs("XDG_DOCUMENTS_DIR=\"/srv/family/papers/\"");
  EXPECT_EQ(wdrt::DocumentsFolder(), "/srv/family/papers");
  UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/\"");
  EXPECT_EQ(wdrt::DocumentsFolder(), home_ + "/Documents") << "set to the home folder: switched off";
  EXPECT_EQ(printing::BookPdfFolder(), home_ + "/Documents/Storyloom");
}

}  // namespace
