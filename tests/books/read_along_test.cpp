// The read-along's pure parts: the table the build writes, the plan that says which word of
// which control lights up when, and the answer check of the grown-ups' way out of kiosk mode.
#include <gtest/gtest.h>

#include "ChildName.h"
#include "books/common/Frame.h"
#include "books/common/GrownUpExit.h"
#include "books/common/PageProcedure.h"
#include "books/common/ReadAlongPlan.h"
#include "books/fete/FeteBook.h"
#include "family/ReadAlongTable.h"

namespace {

using book::LitWord;
using book::TimedWord;

TEST(ReadAlongTableFile, ParsesRowsAndLeavesOutWhatDoesNotParse) {
  const book::ReadAlongTable table = book::ParseReadAlongTable(
      "# comment\n"
      "sFriendK.mp3\t0\tLook,\t212\t500\r\n"
      "sFriendK.mp3\t1\tmy\t500\t700\n"
      "bad.mp3\tx\tword\t1\t2\n"          // index not a number
      "bad.mp3\t0\tword\t9\t2\n"          // ends before it starts
      "bad.mp3\t0\tword\t1\n"             // a cell short
      "bad.mp3\t0\t\t1\t2\n"              // no word
      "\n");
  ASSERT_EQ(table.size(), 1u);
  const auto* words = book::TimedWordsOf(table, "SFRIENDK.MP3");  // names in any case
  ASSERT_NE(words, nullptr);
  ASSERT_EQ(words->size(), 2u);
  EXPECT_EQ((*words)[0].word, "Look,");
  EXPECT_EQ((*words)[0].startMs, 212);
  EXPECT_EQ((*words)[1].index, 1);
  EXPECT_EQ((*words)[1].endMs, 700);
  EXPECT_EQ(book::TimedWordsOf(table, "bad.mp3"), nullptr);
}

std::vector<TimedWord> Timed(const std::string& text, long step = 300) {
  std::vector<TimedWord> timed;
  const auto words = book::WordsOfText(text);
  for (std::size_t i = 0; i < words.size(); ++i)
    timed.push_back({static_cast<int>(i), words[i], 100 + step * static_cast<long>(i), 100 + step * static_cast<long>(i + 1)});
  return timed;
}

TEST(ReadAlongPlans, SentenceLightsItsOwnWordsInOrder) {
  const book::PageDef& page = *FeteBook().Page(1);  // control 4: "Look,  my  friends  are  here!"
  const auto plan = book::PlanReadAlong(page, 4, Timed("Look, my friends are here!"));
  ASSERT_EQ(plan.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plan[i], (LitWord{100 + 300 * i, 4, i}));
}

TEST(ReadAlongPlans, NarrationLightsEachLineItReadsInTurn) {
  // Page 2: the narration (8) says the extra line (2) and then the sentence (6).
  const std::string child = kChildName;
  const book::PageDef page = book::PageForChild(*FeteBook().Page(2), child);
  const auto plan = book::PlanReadAlong(page, 8, Timed("Hi, my name is " + child + ". I am turning six."));
  ASSERT_EQ(plan.size(), 9u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(plan[i].control, 2) << i;
  for (int i = 5; i < 9; ++i) EXPECT_EQ(plan[i].control, 6) << i;
  EXPECT_EQ(plan[4].word, 4);
  EXPECT_EQ(plan[5].word, 0);
  EXPECT_EQ(plan[8].word, 3);
}

TEST(ReadAlongPlans, WordButtonLightsItselfAndNothingMatchesGivesNoPlan) {
  const book::PageDef& page = *FeteBook().Page(1);  // control 3: "I  see  snakes."
  const auto plan = book::PlanReadAlong(page, 3, Timed("I see snakes."));
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan.front().control, 3);
  // A reply that no text of the page shows lights nothing.
  EXPECT_TRUE(book::PlanReadAlong(page, 5, Timed("Not quite. Try again!")).empty());
  // Words around a shown run are passed over.
  const auto padded = book::PlanReadAlong(page, 4, Timed("Oh! Look, my friends are here! Yes."));
  ASSERT_EQ(padded.size(), 5u);
  EXPECT_EQ(padded.front().startMs, 400);
}

TEST(ReadAlongPlans, LitAtFollowsThePosition) {
  const std::vector<LitWord> plan = {{200, 4, 0}, {500, 4, 1}, {900, 4, 2}};
  EXPECT_EQ(book::LitAt(plan, 0), nullptr);
  EXPECT_EQ(book::LitAt(plan, 199), nullptr);
  EXPECT_EQ(book::LitAt(plan, 200)->word, 0);
  EXPECT_EQ(book::LitAt(plan, 899)->word, 1);
  EXPECT_EQ(book::LitAt(plan, 5000)->word, 2);  // the last word stays lit until the sound ends
  EXPECT_EQ(book::LitAt({}, 100), nullptr);
}

TEST(ReadAlongPlans, WordsAreComparedWithoutCaseOrMarks) {
  EXPECT_EQ(book::ComparableWord("Look,"), "look");
  EXPECT_EQ(book::ComparableWord("it's"), "its");
  EXPECT_EQ(book::ComparableWord("D.C."), "dc");
  EXPECT_EQ(book::WordsOfText("  I  am\tturning  6. "), (std::vector<std::string>{"I", "am", "turning", "6."}));
}

TEST(GrownUpExitSum, FixedSumsAreCheckedAndBadOnesAreIgnored) {
  EXPECT_EQ(book::ExitSum("7+5"), std::make_pair(7, 5));
  for (const char* bad : {"7+", "+5", "7-5", "0+5", "100+1", "a+b", "7+5+1", ""}) {
    const auto sum = book::ExitSum(bad);
    EXPECT_GE(sum.first, 3) << bad;
    EXPECT_LE(sum.first, 9) << bad;
    EXPECT_GE(sum.second, 3) << bad;
    EXPECT_LE(sum.second, 9) << bad;
  }
  const auto random = book::ExitSum(nullptr);
  EXPECT_GE(random.first + random.second, 6);
  EXPECT_LE(random.first + random.second, 18);
}

TEST(GrownUpExitSum, OnlyTheExactSumIsRight) {
  const std::pair<int, int> sum{7, 5};
  EXPECT_TRUE(book::IsRightAnswer(sum, "12"));
  EXPECT_TRUE(book::IsRightAnswer(sum, " 12 "));
  for (const char* wrong : {"", "11", "13", "12a", "1 2", "-12", "twelve", "012x"})
    EXPECT_FALSE(book::IsRightAnswer(sum, wrong)) << wrong;
}

TEST(KioskFrame, FillsTheScreenAndHidesPrintingAndExitOnly) {
  const wdrt::WindowDef usual = book::FrameWindow(FeteBook());
  const wdrt::WindowDef kiosk = book::FrameWindow(FeteBook(), true);
  EXPECT_FALSE(usual.fullScreen);
  EXPECT_TRUE(kiosk.fullScreen);
  ASSERT_EQ(kiosk.toolbar.size(), usual.toolbar.size());
  for (std::size_t i = 0; i < kiosk.toolbar.size(); ++i) {
    EXPECT_FALSE(usual.toolbar[i].hidden);
    EXPECT_EQ(kiosk.toolbar[i].hidden, kiosk.toolbar[i].number == -14 || kiosk.toolbar[i].number == -21)
        << kiosk.toolbar[i].number;
  }
}

}  // namespace
