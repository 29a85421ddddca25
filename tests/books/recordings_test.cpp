// A parent's takes as the books keep and find them: a take is current only for the text it was
// recorded for, keeping one again drops the old word times, clearing removes it all; a book's
// texts come in reading order; a take without word times lights its text whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

#include "books/common/PageProcedure.h"
#include "books/common/ReadAlongPlan.h"
#include "books/common/ReadingOrder.h"
#include "books/fete/FeteBook.h"
#include "family/Recordings.h"

namespace {

namespace fs = std::filesystem;
using book::TakeState;

class Takes : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_DATA_HOME");
    saved_ = old ? std::optional<std::string>(old) : std::nullopt;
    folder_ = fs::temp_directory_path() / ("storyloom-takes-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    ::setenv("XDG_DATA_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_) ::setenv("XDG_DATA_HOME", saved_->c_str(), 1); else ::unsetenv("XDG_DATA_HOME");
    fs::remove_all(folder_);
  }

  fs::path folder_;
  std::optional<std::string> saved_;
};

const std::vector<float> kHum(4410, 0.25f);

TEST_F(Takes, ATakeIsCurrentOnlyForTheTextItWasRecordedFor) {
  const std::string text = "Hi, my name is Mia. I am turning six.";
  EXPECT_EQ(book::StateOfTake("fete", "szuli6K.mp3", text), TakeState::None);
  EXPECT_FALSE(book::TakeToPlay("fete", "szuli6K.mp3", text));
  ASSERT_TRUE(book::KeepTake("fete", "szuli6K.mp3", text, kHum, 44100));
  // Kept under the sound's name in lower case, in the book's own folder.
  EXPECT_EQ(book::TakeFile("fete", "SZULI6k.MP3"), (folder_ / "storyloom/recordings/fete/szuli6k.wav").string());
  EXPECT_EQ(book::StateOfTake("fete", "szuli6K.mp3", text), TakeState::Current);
  EXPECT_EQ(book::TakeToPlay("fete", "SZULI6K.mp3", text), book::TakeFile("fete", "szuli6K.mp3"));
  // Another name in the text, or another book: not this take.
  EXPECT_EQ(book::StateOfTake("fete", "szuli6K.mp3", "Hi, my name is Zoë. I am turning six."), TakeState::Stale);
  EXPECT_FALSE(book::TakeToPlay("fete", "szuli6K.mp3", "Hi, my name is Zoë. I am turning six."));
  EXPECT_EQ(book::StateOfTake("banners", "szuli6K.mp3", text), TakeState::None);
  EXPECT_FALSE(book::TakeToPlay("fete", "snakes.mp3", "")) << "a sound without words has no take";
}

TEST_F(Takes, KeepingATakeAgainDropsItsOldWordTimesAndClearingRemovesItAll) {
  const std::string stem = (folder_ / "storyloom/recordings/fete/sfriendk").string();
  ASSERT_TRUE(book::KeepTake("fete", "sFriendK.mp3", "Look, my friends are here!", kHum, 44100));
  ASSERT_TRUE(book::KeepWordTimes("fete", "sFriendK.mp3", {{0, "Look,", 80, 400}, {1, "my", 400, 560}}));
  std::ifstream rows(stem + ".tsv");
  std::string first;
  std::getline(rows, first);
  EXPECT_EQ(first, "sFriendK.mp3\t0\tLook,\t80\t400");
  ASSERT_TRUE(book::KeepTake("fete", "sFriendK.mp3", "Look, my friends are here!", kHum, 44100));
  EXPECT_FALSE(fs::exists(stem + ".tsv")) << "times of the earlier take";
  EXPECT_TRUE(fs::exists(stem + ".wav"));
  book::ClearTake("fete", "sfriendk.mp3");
  for (const char* extension : {".wav", ".txt", ".tsv"}) EXPECT_FALSE(fs::exists(stem + extension)) << extension;
  EXPECT_EQ(book::StateOfTake("fete", "sFriendK.mp3", "Look, my friends are here!"), TakeState::None);
}

TEST(ReadingOrder, PagesFollowTheStoryFromPageOneAndEachPageGivesNarrationOthersThenReplies) {
  const std::vector<book::TextToRecord> texts = book::TextsInReadingOrder(FeteBook());
  ASSERT_GT(texts.size(), 30u);
  // Page 1 (the first page button's) opens with its narration, then its controls in order.
  const std::vector<std::string> pageOne = {"szuli6K.mp3", "WzuliK.mp3", "shikingW.mp3", "WsixK.mp3", "Dad.mp3"};
  for (std::size_t i = 0; i < pageOne.size(); ++i) {
    EXPECT_EQ(texts[i].sound, pageOne[i]) << i;
    EXPECT_EQ(texts[i].page, 1) << i;
  }
  EXPECT_EQ(texts[pageOne.size()].sound, "spark2K.mp3") << "page 1's Next leads to the park";
  EXPECT_EQ(texts[pageOne.size()].page, 2);
  // A question page: its question first, the replies of its answers last.
  std::size_t question = 0;
  while (question < texts.size() && texts[question].sound != "WHowoldK.mp3") ++question;
  ASSERT_LT(question + 6, texts.size());
  EXPECT_EQ(texts[question + 1].sound, "WHowOldK.mp3");
  EXPECT_EQ(texts[question + 2].sound, "racoonsW.mp3");
  for (std::size_t i = question + 3; i < question + 7; ++i) EXPECT_EQ(texts[i].sound.rfind("WNo", 0) == 0 || texts[i].sound == "WYes6K.mp3", true) << texts[i].sound;
  // Every page of the book is met once.
  EXPECT_EQ(texts.back().page, static_cast<int>(FeteBook().pages.size()));
}

TEST(ReadAlongPlans, ATakeWithoutWordTimesLightsTheTextItSaysWhole) {
  const book::PageDef& page = *FeteBook().Page(1);  // control 4: "Look,  my  friends  are  here!", 6 the narration
  const std::vector<book::LitWord> plan = book::PlanWholeText(page, 6, "Look, my friends are here!");
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0], (book::LitWord{0, 4, book::kWholeText}));
  EXPECT_TRUE(book::PlanWholeText(page, 6, "Nothing on this page.").empty());
}

}  // namespace
