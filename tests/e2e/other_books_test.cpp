// The flag book and the two letter books end to end: their story order, the narration of every
// page, and whether the frame stays usable while the print-selection window is open.
#include <gtest/gtest.h>

#include <filesystem>

#include "BookRun.h"

namespace {

using e2e::LinesWith;

struct BookCase {
  std::string program;
  std::vector<std::string> story;  // procedures from the first page, Next ten times
  bool frameBusyWhilePrinting;
};

const std::vector<BookCase> kBooks = {
    {"banners", {"free", "stripes", "stars", "colors", "campuss", "country", "love", "quest1", "quest2", "quest3", "free"}, true},
    {"a", {"apple", "alli", "alpha", "avacado", "africa", "ant", "arrow", "acorn", "angel", "acrobat", "apple"}, true},
    {"b", {"ball", "baby", "boy", "bear", "band", "balloons", "binocular", "button", "banana", "beans", "ball"}, false},
};

void PrintTo(const BookCase& book, std::ostream* out) { *out << book.program; }

class OtherBooks : public ::testing::TestWithParam<BookCase> {};

TEST_P(OtherBooks, NextTenTimesFollowsTheStoryAndEveryNarrationOpens) {
  const BookCase& book = GetParam();
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -10\n"
                             "wait-window \"Learning Words\" 1\n" +
                             e2e::NextTimes(10, 1) +
                             "expect \"open-window [0-9]+ \\\"Learning Words\\\" " + book.story.back() + "\"\n"
                             // The last page's narration too, before the book closes.
                             "expect \"mci .play Mp3. -> \"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook(book.program, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(e2e::OpenedPages(run.journal), book.story);
  // Eleven narrations, every one opened its file.
  const auto opens = LinesWith(run.journal, "mci \"open mpegvideo!");
  ASSERT_GE(opens.size(), 11u);
  for (const auto& line : opens) EXPECT_NE(line.find(" alias Mp3\" -> 0"), std::string::npos) << line;
}

TEST_P(OtherBooks, FrameTakesInputWhilePrintingOnlyWhenPrintingRunsOnItsOwnThread) {
  const BookCase& book = GetParam();
  // Where the frame takes input, its page opens while the print window is still up: wait for
  // it. Where the frame is busy, give the press time to be (wrongly) taken before closing.
  const std::string whilePrinting = book.frameBusyWhilePrinting ? "sleep 700\n" : "wait-window \"Learning Words\"\n";
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -14\n"
                             "wait-window \"Print report or print to pdf file\"\n"
                             "press \"Storyloom\" -10\n" +
                             whilePrinting +
                             "close \"Print report or print to pdf file\"\n"
                             "expect \"close-window [0-9]+ .Print report\"\n"
                             "press \"Storyloom\" -11\n"
                             "expect \"open-window [0-9]+ .Learning Words.\"\n"
                             "sleep 200\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook(book.program, script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto printClosed = LinesWith(run.journal, "close-window");
  double printEnd = 0;
  for (const auto& line : printClosed)
    if (line.find("Print report") != std::string::npos) printEnd = e2e::Stamp(line);
  ASSERT_GT(printEnd, 0);
  int pagesWhilePrinting = 0;
  for (const auto& line : LinesWith(run.journal, "open-window"))
    if (line.find("Learning Words") != std::string::npos && e2e::Stamp(line) < printEnd) ++pagesWhilePrinting;
  EXPECT_EQ(pagesWhilePrinting, book.frameBusyWhilePrinting ? 0 : 1);
  // After the window closed the frame works again in every book.
  EXPECT_EQ(e2e::OpenedPages(run.journal).size(), book.frameBusyWhilePrinting ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Books, OtherBooks, ::testing::ValuesIn(kBooks),
                         [](const auto& info) { return info.param.program; });

TEST(OtherBooksDetails, LetterBookPageFourHasNoEffectAndBearGrowls) {
  const std::string script = "press \"Storyloom\" -11\n"
                             "wait-window \"Learning Words\" 1\n"
                             "expect \"open mpegvideo!Sbabyb.mp3 alias Mp3\\\" -> 0\"\n"
                             "press \"Storyloom\" -13\n"
                             "wait-window \"Learning Words\" 2\n"
                             "press top ?PVHIDDENLOAD:4\n"
                             "expect \"open mpegvideo!bear.wav alias Mp3\\\" -> 0\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("b", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // Module 4 ("baby") narrates itself from control 5.
  bool sawBabyNarration = false;
  for (const auto& line : LinesWith(run.journal, "event"))
    if (line.find("\"Learning Words\" 1 5") != std::string::npos) sawBabyNarration = true;
  EXPECT_TRUE(sawBabyNarration);
}

TEST(OtherBooksDetails, Screenshots) {
  const std::string dir = e2e::MakeTempDir("book-shots");
  auto shoot = [&](const std::string& program, const std::string& steps) {
    e2e::RunResult run = e2e::RunBook(program, steps + "close \"Storyloom\"\n");
    EXPECT_EQ(run.exitCode, 0) << program << run.output;
  };
  shoot("banners", "press \"Storyloom\" -12\nwait-window \"Learning Words\"\nscreenshot " + dir +
                       "/banners-stars.png top\npress \"Storyloom\" -19\nwait-window \"Learning Words\" 2\nscreenshot " + dir +
                       "/banners-quest1.png top\n");
  shoot("a", "press \"Storyloom\" -10\nwait-window \"Learning Words\"\nscreenshot " + dir + "/a-page1.png top\n");
  shoot("b", "press \"Storyloom\" -10\nwait-window \"Learning Words\"\nscreenshot " + dir + "/b-page1.png top\n");
  for (const char* name : {"banners-stars.png", "banners-quest1.png", "a-page1.png", "b-page1.png"}) {
    const std::string file = dir + "/" + name;
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/" + name;
    std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
    std::filesystem::copy_file(file, kept, std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace
