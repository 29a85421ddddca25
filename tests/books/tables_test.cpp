// The page tables of the four books: the story chain, procedure names, the narration of each
// page, the frame toolbars, the picture answers, the child's name, and that every picture and
// sound a table names is made by the build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ChildName.h"
#include "books/a/ABook.h"
#include "books/b/BBook.h"
#include "books/banners/BannersBook.h"
#include "books/common/PageProcedure.h"
#include "books/fete/FeteBook.h"
#include "family/Child.h"

namespace {

using book::BookDef;
using book::PageControl;
using book::PageDef;
using book::Role;

struct BookCase {
  const char* name;
  const BookDef& (*get)();
  std::vector<int> story;                 // modules from the first page, following "Next"
  std::map<int, std::string> procedures;  // module -> procedure name
  std::map<int, std::pair<std::string, int>> buttons;  // toolbar control -> text, module
};

const std::vector<BookCase>& Books() {
  static const std::vector<BookCase> books = {
      {"fete", &FeteBook, {2, 4, 6, 1, 5, 7, 8, 9, 10, 11},
       {{1, "friends"}, {2, "fete"}, {4, "party"}, {5, "games"}, {6, "decorate"}, {7, "sing"},
        {8, "fun"}, {9, "quest1"}, {10, "quest2"}, {11, "quest3"}},
       {{-10, {"1", 2}}, {-11, {"2", 4}}, {-12, {"3", 6}}, {-13, {"4", 1}}, {-20, {"5", 5}},
        {-18, {"6", 7}}, {-17, {"7", 8}}, {-19, {"?", 9}}, {-16, {"?", 10}}, {-15, {"?", 11}}}},
      {"banners", &BannersBook, {2, 4, 6, 1, 5, 7, 8, 9, 10, 11},
       {{1, "colors"}, {2, "free"}, {4, "stripes"}, {5, "campuss"}, {6, "stars"}, {7, "country"},
        {8, "love"}, {9, "quest1"}, {10, "quest2"}, {11, "quest3"}},
       {{-10, {"1", 2}}, {-11, {"2", 4}}, {-12, {"3", 6}}, {-13, {"4", 1}}, {-20, {"5", 5}},
        {-18, {"6", 7}}, {-17, {"7", 8}}, {-19, {"?", 9}}, {-16, {"?", 10}}, {-15, {"?", 11}}}},
      {"a", &ABook, {2, 4, 10, 1, 6, 8, 7, 5, 9, 11},
       {{1, "avacado"}, {2, "apple"}, {4, "alli"}, {5, "acorn"}, {6, "africa"}, {7, "arrow"},
        {8, "ant"}, {9, "angel"}, {10, "alpha"}, {11, "acrobat"}},
       {{-10, {"Apple", 2}}, {-11, {"Alligator", 4}}, {-12, {"Alphabet", 10}},
        {-13, {"Avocado", 1}}, {-20, {"Africa", 6}}, {-18, {"Ant", 8}}, {-17, {"Arrow", 7}},
        {-19, {"Acorn", 5}}, {-16, {"Angel", 9}}, {-15, {"Acrobat", 11}}}},
      {"b", &BBook, {2, 4, 10, 1, 6, 8, 7, 5, 9, 11},
       {{1, "bear"}, {2, "ball"}, {4, "baby"}, {5, "button"}, {6, "band"}, {7, "binocular"},
        {8, "balloons"}, {9, "banana"}, {10, "boy"}, {11, "beans"}},
       {{-10, {"Ball", 2}}, {-11, {"Bathtub", 4}}, {-12, {"Boy", 10}}, {-13, {"Brown Bear", 1}},
        {-20, {"Brass Band", 6}}, {-18, {"Balloons", 8}}, {-17, {"Binoculars", 7}},
        {-19, {"Buttons", 5}}, {-16, {"Bananas", 9}}, {-15, {"Beans", 11}}}},
  };
  return books;
}

void PrintTo(const BookCase& book, std::ostream* out) { *out << book.name; }

class BookTablesTest : public ::testing::TestWithParam<BookCase> {};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::vector<const PageControl*> WithRole(const PageDef& page, Role role) {
  std::vector<const PageControl*> found;
  for (const PageControl& c : page.controls)
    if (c.role == role) found.push_back(&c);
  return found;
}

bool NamesASoundFile(Role role) {
  switch (role) {
    case Role::Word:
    case Role::Sentence:
    case Role::Narration:
    case Role::Effect:
    case Role::ExtraLine:
    case Role::Answer:
      return true;
    default:
      return false;
  }
}

TEST_P(BookTablesTest, NextChainVisitsTheStoryInOrderAndReturnsToTheFirstPage) {
  const BookDef& def = GetParam().get();
  const std::vector<int>& story = GetParam().story;
  ASSERT_EQ(def.pages.size(), story.size());
  int module = 2;
  for (std::size_t step = 0; step < story.size(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step) + ", module " + std::to_string(module));
    ASSERT_EQ(module, story[step]);
    const PageDef* page = def.Page(module);
    ASSERT_NE(page, nullptr);
    const auto next = WithRole(*page, Role::Next);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0]->use, "?NEXT");
    EXPECT_EQ(next[0]->text, step + 1 == story.size() ? "The End" : "Next");
    module = next[0]->next;
  }
  EXPECT_EQ(module, 2) << "the last page starts the first story page again";
}

TEST_P(BookTablesTest, TheBookHasATitleThatCanNameAFile) {
  const BookDef& def = GetParam().get();
  EXPECT_FALSE(def.title.empty());
  EXPECT_EQ(def.title.find_first_of("/\\"), std::string::npos) << def.title;
}

TEST_P(BookTablesTest, ProcedureNamesByModule) {
  const BookDef& def = GetParam().get();
  for (const auto& [module, procedure] : GetParam().procedures) {
    const PageDef* page = def.Page(module);
    ASSERT_NE(page, nullptr) << "module " << module;
    EXPECT_EQ(page->procedure, procedure) << "module " << module;
  }
  EXPECT_EQ(def.Page(3), nullptr) << "module 3 is the frame, not a page";
}

// The narration replays the sentence, except on the pages whose tables give it its own file.
TEST_P(BookTablesTest, NarrationIsANarrationControlPlayingTheSentenceUnlessTheTableSaysOtherwise) {
  static const std::map<std::pair<std::string, int>, std::string> kOwnNarration = {
      {{"fete", 2}, "szuli6K.mp3"},
      {{"banners", 2}, "SbeatflF.mp3"},
      {{"banners", 4}, "SstripsF.mp3"},
      {{"banners", 6}, "sstarsF.mp3"},
  };
  const BookDef& def = GetParam().get();
  for (const PageDef& page : def.pages) {
    SCOPED_TRACE("module " + std::to_string(page.module));
    ASSERT_GE(page.narration, 1);
    ASSERT_LE(page.narration, static_cast<int>(page.controls.size()));
    const PageControl& narration = page.controls[page.narration - 1];
    EXPECT_EQ(narration.role, Role::Narration);
    EXPECT_EQ(narration.text, ">>");
    EXPECT_EQ(WithRole(page, Role::Narration).size(), 1u);
    const auto sentence = WithRole(page, Role::Sentence);
    ASSERT_EQ(sentence.size(), 1u);
    const auto own = kOwnNarration.find({def.program, page.module});
    if (own != kOwnNarration.end()) {
      EXPECT_EQ(narration.sound, own->second);
      EXPECT_NE(Lower(narration.sound), Lower(sentence[0]->sound));
    } else {
      // Some tables write the one file with different case ("sPark2K" / "spark2K").
      EXPECT_EQ(Lower(narration.sound), Lower(sentence[0]->sound));
    }
  }
}

// Sound controls name a file, the media play controls and the rest name none, and only Next
// controls start a page.
TEST_P(BookTablesTest, EverySoundControlNamesAFileAndOnlyNextStartsAPage) {
  const BookDef& def = GetParam().get();
  for (const PageDef& page : def.pages) {
    for (std::size_t i = 0; i < page.controls.size(); ++i) {
      const PageControl& c = page.controls[i];
      SCOPED_TRACE("module " + std::to_string(page.module) + " control " + std::to_string(i + 1));
      EXPECT_EQ(!c.sound.empty(), NamesASoundFile(c.role));
      EXPECT_EQ(c.next != 0, c.role == Role::Next);
      if (c.role == Role::Picture) {
        EXPECT_FALSE(c.picture.empty());
      }
      if (c.role != Role::Label) {
        EXPECT_GT(c.pos.width, 0);
        EXPECT_GT(c.pos.height, 0);
      }
      EXPECT_FALSE(c.use.empty());
    }
  }
}

TEST_P(BookTablesTest, ToolbarButtonsStartTheirPages) {
  const BookDef& def = GetParam().get();
  ASSERT_EQ(def.toolbar.size(), 12u);
  std::set<int> controls;
  for (const book::ToolbarButton& button : def.toolbar) {
    controls.insert(button.control);
    SCOPED_TRACE("control " + std::to_string(button.control));
    if (button.control == -14) {
      EXPECT_TRUE(button.print);
      EXPECT_EQ(button.module, 0);
    } else if (button.control == -21) {
      EXPECT_TRUE(button.exit);
      EXPECT_EQ(button.text, "Exit");
    } else {
      const auto expected = GetParam().buttons.find(button.control);
      ASSERT_NE(expected, GetParam().buttons.end());
      EXPECT_EQ(button.text, expected->second.first);
      EXPECT_EQ(button.module, expected->second.second);
      EXPECT_NE(def.Page(button.module), nullptr);
    }
  }
  std::set<int> all;
  for (int c = -21; c <= -10; ++c) all.insert(c);
  EXPECT_EQ(controls, all);
}

// Each picture answer is handed to the picture-button object once, with its own picture.
TEST_P(BookTablesTest, PictureButtonsAreThePictureAnswers) {
  const BookDef& def = GetParam().get();
  for (const PageDef& page : def.pages) {
    SCOPED_TRACE("module " + std::to_string(page.module));
    std::set<int> pictureAnswers;
    for (std::size_t i = 0; i < page.controls.size(); ++i)
      if (page.controls[i].role == Role::Answer && !page.controls[i].picture.empty())
        pictureAnswers.insert(static_cast<int>(i + 1));
    std::set<int> handed;
    for (const auto& [control, picture] : page.pictureButtons) {
      ASSERT_GE(control, 1);
      ASSERT_LE(control, static_cast<int>(page.controls.size()));
      EXPECT_EQ(page.controls[control - 1].picture, picture) << "control " << control;
      EXPECT_TRUE(handed.insert(control).second) << "control " << control << " handed twice";
    }
    EXPECT_EQ(handed, pictureAnswers);
    if (def.pictureButtonPicture.empty()) {
      EXPECT_TRUE(page.pictureButtons.empty());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Books, BookTablesTest, ::testing::ValuesIn(Books()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuestionPagesTest, PictureButtonOrderIsTheTablesOrder) {
  using Order = std::vector<std::pair<int, std::string>>;
  struct Case {
    const BookDef& def;
    int module;
    Order order;
  };
  const Case cases[] = {
      {FeteBook(), 9, {}},
      {FeteBook(), 10, {{2, "parksm.jpg"}, {3, "house.jpg"}, {4, "zoo.jpg"}}},
      {FeteBook(), 11, {{8, "pizzasm.jpg"}, {7, "cakesm.jpg"}, {2, "chips.jpg"}}},
      {BannersBook(), 9, {{2, "REDWHITE.jpg"}, {3, "RWB.jpg"}, {5, "REDBLUE.jpg"}}},
      {BannersBook(), 10, {}},
      {BannersBook(), 11, {{3, "war2.jpg"}, {7, "sad2.jpg"}, {2, "FreeRel2.jpg"}}},
  };
  for (const Case& c : cases) {
    const PageDef* page = c.def.Page(c.module);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->pictureButtons, c.order) << c.def.program << " module " << c.module;
  }
}

// The "12" of the flag book's first question looks like an answer but only stops the sound.
TEST(QuestionPagesTest, FlagBookTwelveIsABlueMediaPlayWithoutIcon) {
  const PageDef* page = BannersBook().Page(9);
  ASSERT_NE(page, nullptr);
  const PageControl& twelve = page->controls[3];
  EXPECT_EQ(twelve.role, Role::MediaPlay);
  EXPECT_EQ(twelve.text, "12");
  EXPECT_EQ(twelve.color, wdrt::MakeRgb(0, 0, 255));
  EXPECT_TRUE(twelve.picture.empty());
  EXPECT_TRUE(twelve.sound.empty());
}

TEST(LetterBooksTest, PagesFollowTheCommonLayout) {
  for (const BookDef* def : {&ABook(), &BBook()}) {
    const std::string letter = def->program == "a" ? "Aa" : "Bb";
    for (const PageDef& page : def->pages) {
      SCOPED_TRACE(def->program + " module " + std::to_string(page.module));
      std::vector<Role> expected = {Role::Next, Role::Picture, Role::Word, Role::Sentence, Role::Effect,
                                    Role::Narration};
      if (page.module == 4) expected.erase(expected.begin() + 4);
      if (page.module == 2) expected.insert(expected.begin(), Role::MediaPlay);
      std::vector<Role> roles;
      for (const PageControl& c : page.controls) roles.push_back(c.role);
      EXPECT_EQ(roles, expected);
      EXPECT_EQ(page.narration, static_cast<int>(expected.size()));
      EXPECT_EQ(WithRole(page, Role::Word).at(0)->text, letter);
      EXPECT_EQ(page.width, 317);
      EXPECT_EQ(page.height, 208);
      EXPECT_EQ(page.background, wdrt::kColorNone);
    }
    EXPECT_EQ(def->wordPoints, 72);
    EXPECT_EQ(def->sentencePoints, 36);
  }
  EXPECT_EQ(ABook().Page(4)->narration, 5);
  EXPECT_EQ(BBook().Page(4)->narration, 5);
  EXPECT_EQ(WithRole(*BBook().Page(1), Role::Effect).at(0)->sound, "bear.wav");
}

// The birthday book names its child only through the placeholder, which a page fills with the
// name chosen when it opens.
TEST(ChildNameTest, BirthdayBookTextsNameTheChildThatIsChosen) {
  EXPECT_EQ(FeteBook().Page(2)->controls[1].text, "Hi, my name is {child}.");
  EXPECT_EQ(book::PageForChild(*FeteBook().Page(2), "Mia").controls[1].text, "Hi, my name is Mia.");
  EXPECT_EQ(book::PageForChild(*FeteBook().Page(9), "Anne-Marie").controls[5].text,
            "How  old  is  Anne-Marie  going  to  be?");
  EXPECT_EQ(book::WithChildName(FeteBook().title, "Zoë"), "Zoë's Birthday Party");
  for (const PageDef& page : FeteBook().pages)
    for (const PageControl& c : page.controls) EXPECT_EQ(c.text.find(kChildName), std::string::npos) << c.text;
}

// Every name a table mentions must be made by the build, whatever its case. Sanitizer builds
// make no assets, so the check is skipped where the folders are missing.
class AssetFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* suite = std::getenv("STORYLOOM_SUITE_DIR");
    if (suite == nullptr || *suite == '\0') GTEST_SKIP() << "STORYLOOM_SUITE_DIR is not set";
    soundDir_ = suite;
    pictureDir_ = soundDir_ / ".." / "assets" / "pictures";
    std::error_code ec;
    if (!std::filesystem::is_directory(pictureDir_, ec))
      GTEST_SKIP() << "no pictures at " << pictureDir_ << " (a build without assets)";
    sounds_ = Names(soundDir_);
    pictures_ = Names(pictureDir_);
  }

  static std::set<std::string> Names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      names.insert(Lower(entry.path().filename().string()));
    return names;
  }

  std::filesystem::path soundDir_;
  std::filesystem::path pictureDir_;
  std::set<std::string> sounds_;
  std::set<std::string> pictures_;
};

TEST_F(AssetFilesTest, EveryPictureAndSoundOfTheTablesExists) {
  int checked = 0;
  for (const BookCase& bc : Books()) {
    const BookDef& def = bc.get();
    std::vector<std::string> pictures = {def.framePicture};
    if (!def.pictureButtonPicture.empty()) pictures.push_back(def.pictureButtonPicture);
    for (const PageDef& page : def.pages) {
      for (const PageControl& c : page.controls) {
        if (!c.picture.empty()) pictures.push_back(c.picture);
        if (c.role == Role::Effect) pictures.push_back("speaker.ico");
        if (!c.sound.empty()) {
          ++checked;
          EXPECT_TRUE(sounds_.count(Lower(c.sound))) << def.program << " module " << page.module
                                                      << ": no sound " << c.sound << " in " << soundDir_;
        }
      }
    }
    for (const std::string& picture : pictures) {
      ++checked;
      EXPECT_TRUE(pictures_.count(Lower(picture))) << def.program << ": no picture " << picture << " in "
                                                    << pictureDir_;
    }
  }
  EXPECT_GT(checked, 200);
}

}  // namespace
