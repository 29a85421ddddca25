// The scripted driver's reading of scripts: words, quoted texts with escapes, comments, and the
// line numbers that failures report.
#include <gtest/gtest.h>

#include "runtime/driver/ScriptDriver.h"

namespace {

TEST(ScriptParsing, WordsQuotesCommentsAndLineNumbers) {
  const auto steps = wdrt::ParseScript(
      "# a comment\n"
      "\n"
      "press \"Learning Words\" #3 ?NEXT\r\n"
      "  type top 4 \"say \\\"hi\\\"\"\n"
      "expect \"open mpegvideo!a b.mp3\"\n");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].words, (std::vector<std::string>{"press", "Learning Words", "#3", "?NEXT"}));
  EXPECT_EQ(steps[0].quoted, (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(steps[0].text, "press \"Learning Words\" #3 ?NEXT");
  EXPECT_EQ(steps[1].line, 4);
  EXPECT_EQ(steps[1].words.back(), "say \"hi\"");
  EXPECT_EQ(steps[2].words[1], "open mpegvideo!a b.mp3");
}

TEST(ScriptParsing, UnterminatedQuoteTakesTheRestOfTheLine) {
  const auto steps = wdrt::ParseScript("press \"Storyloom 1\n");
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].words, (std::vector<std::string>{"press", "Storyloom 1"}));
}

}  // namespace
