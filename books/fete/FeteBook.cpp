// The birthday book's tables: one row per control, in definition order, as the book defines
// them. Texts that name the child hold "{child}": a page shows the name chosen when it opens.
#include "books/fete/FeteBook.h"

#include <string>
#include <utility>
#include <vector>

#include "books/fete/FeteReport.h"
#include "family/Child.h"

namespace {

using book::PageControl;
using book::PageDef;
using enum book::Role;
using book::Look;
using book::QuestionPage;
using book::Row;
using book::StoryPage;
using book::Styled;
using wdrt::MakeRgb;

constexpr wdrt::Rgb kWhite = MakeRgb(255, 255, 255);

book::BookDef MakeFeteBook() {
  const std::string child = book::kChildPlaceholder;
  book::BookDef def;
  def.program = "fete";
  def.iniFile = "fete.INI";
  def.frameTitle = "Storyloom";
  def.framePicture = "fetemain.jpg";
  // Where the cover scene writes the name: centred in its white card, 30 of its 219 units high.
  def.namelessFramePicture = "fetecover.jpg";
  def.frameCaption = {.text = child + "'s", .centreX = 158.5 / 317, .middleY = 34.0 / 219, .height = 30.0 / 219,
                      .widthAtMost = 225.0 / 317, .color = MakeRgb(0xe9, 0x1e, 0x63), .outline = kWhite,
                      .outlineWidth = 0.6 / 317, .face = "Comic Sans MS"};
  def.pictureButtonPicture = "DuvUvov.OZE";
  def.frameHeight = 219;
  def.printEntry = book::PrintEntry::Started;
  def.printModule = 12;
  def.report = &FeteReport;
  def.title = child + "'s Birthday Party";
  def.wordPoints = 28;
  def.sentencePoints = 28;
  def.toolbar = book::StandardToolbar({
      {-10, "1", 2}, {-11, "2", 4}, {-12, "3", 6}, {-13, "4", 1}, {-20, "5", 5},
      {-18, "6", 7}, {-17, "7", 8}, {-19, "?", 9}, {-16, "?", 10}, {-15, "?", 11},
  });
  def.pages = {
      StoryPage(1, "friends", 6, {
          Row(Next, "?NEXT", "Next", "", {196, 149, 121, 59}, "", 5),
          Row(Picture, "?IMAGE1", "", "friends.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  snakes.", "", {13, 40, 31, 38}, "ssnakesW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Look,  my  friends  are  here!", "", {64, 8, 189, 38}, "sFriendK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {97, 143, 78, 65}, "snakes.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 55}, "sFriendK.mp3"),
      }),
      StoryPage(2, "fete", 8, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Styled(Row(ExtraLine, "?PVHIDDENLOAD:6", "Hi, my name is " + child + ".", "", {39, 8, 225, 34}, "WzuliK.mp3"), {.tip = "Play"}),
          Row(Next, "?NEXT", "Next", "", {227, 154, 90, 52}, "", 4),
          Row(Picture, "?IMAGE1", "", "zuli.jpg", {0, 0, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  am  turning  6.", "", {27, 78, 61, 34}, "shikingW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "I  am  turning  six.", "", {33, 41, 225, 34}, "WsixK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {127, 153, 64, 52}, "Dad.mp3"),
          Styled(Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {0, 151, 96, 52}, "szuli6K.mp3"), {.points = 36}),
      }),
      StoryPage(4, "party", 6, {
          Row(Next, "?NEXT", "Next", "", {213, 151, 103, 55}, "", 6),
          Row(Picture, "?IMAGE1", "", "park.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "My  party  is  at  the  park.", "", {40, 86, 248, 43}, "ssquirlW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "My  birthday  party  is  at  the  park.", "", {54, 16, 228, 48}, "sPark2K.mp3"),
          Styled(Row(Effect, "?PVHIDDENLOAD:4", "", "", {110, 144, 65, 61}, "squirrel.mp3"), {.tip = "Play", .face = "Arial"}),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 151, 92, 55}, "spark2K.mp3"),
      }),
      StoryPage(5, "games", 6, {
          Row(Next, "?NEXT", "Next", "", {216, 149, 101, 59}, "", 7),
          Row(Picture, "?IMAGE1", "", "games.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  birds.", "", {9, 6, 32, 48}, "SBirdsW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "We  are  playing  party  games.", "", {44, 7, 266, 48}, "sPartyK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {6, 79, 53, 59}, "Birds.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 59}, "sPartyK.mp3"),
      }),
      StoryPage(6, "decorate", 6, {
          Row(Next, "?NEXT", "Next", "", {217, 153, 98, 55}, "", 1),
          Row(Picture, "?IMAGE1", "", "decorate.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  a  chipmunk.", "", {12, 27, 70, 28}, "schpmnkW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "My mom and  I  are  making  my  cake.", "", {86, 33, 185, 71}, "scakeK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {111, 142, 73, 55}, "chip.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {4, 142, 81, 55}, "scakeK.mp3"),
      }),
      StoryPage(7, "sing", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {227, 143, 90, 52}, "", 8),
          Row(Picture, "?IMAGE1", "", "cake.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Let's sing!", "", {14, 85, 27, 29}, "sfishW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Now  it's  time  for  cake  and  ice  cream.", "", {56, 8, 225, 49}, "sicecrmK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {117, 156, 64, 52}, "Dad.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "sicecrmK.mp3"),
      }),
      StoryPage(8, "fun", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {227, 156, 90, 52}, "", 9),
          Row(Picture, "?IMAGE1", "", "funbd.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  waterfalls.", "", {19, 90, 94, 49}, "swatrflw.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "My  party  was  a  lot  of  fun.", "", {27, 9, 281, 49}, "sfunK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {129, 146, 64, 52}, "water.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "sfunK.mp3"),
      }),
      QuestionPage(9, "quest1", MakeRgb(128, 128, 255), 317, 208, 8, {
          Row(Next, "?NEXT", "Next", "", {216, 163, 101, 46}, "", 10),
          Styled(Row(Answer, "?PVHIDDENLOAD", "1", "", {48, 86, 40, 40}, "WNo1K.mp3"), {.color = kWhite}),
          Styled(Row(Answer, "?PVHIDDENLOAD:5", "3", "", {113, 86, 40, 40}, "WNo3K.mp3"), {.color = kWhite}),
          Styled(Row(Answer, "?PVHIDDENLOAD:7", "12", "", {251, 86, 40, 40}, "WNo12K.mp3"), {.color = kWhite}),
          Styled(Row(Answer, "?PVHIDDENLOAD:6", "6", "", {180, 86, 40, 40}, "WYes6K.mp3"), {.color = kWhite, .right = true}),
          Row(Sentence, "?PVHIDDENLOAD:2", "How  old  is  " + child + "  going  to  be?", "", {44, 11, 237, 46}, "WHowOldK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {4, 55, 53, 36}, "racoonsW.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 59}, "WHowoldK.mp3"),
      }, {}),
      QuestionPage(10, "quest2", MakeRgb(64, 128, 128), 317, 228, 10, {
          Row(Next, "?NEXT", "Next", "", {205, 187, 112, 41}, "", 11),
          Styled(Row(Answer, "?PVHIDDENLOAD", "", "parksm.jpg", {12, 45, 95, 127}, "WNparkK.mp3"), {.right = true}),
          Row(Answer, "?PVHIDDENLOAD:5", "", "house.jpg", {114, 45, 95, 127}, "WNoHseK.mp3"),
          Row(Answer, "?PVHIDDENLOAD:6", "", "zoo.jpg", {216, 44, 95, 127}, "WNZooK.mp3"),
          Row(Label, "?STRING1", "Park", "", {16, 137, 87, 30}),
          Row(Label, "?STRING2", "House", "", {118, 137, 87, 30}),
          Row(Label, "?STRING3", "Zoo", "", {220, 137, 87, 30}),
          Row(Sentence, "?PVHIDDENLOAD:2", "Where  was  her  party?", "", {48, 3, 232, 41}, "WWhereK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {113, 179, 65, 30}, "deer.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {2, 184, 91, 44}, "WWhereK.mp3"),
      }, {{2, "parksm.jpg"}, {3, "house.jpg"}, {4, "zoo.jpg"}}),
      QuestionPage(11, "quest3", MakeRgb(0, 255, 0), 317, 226, 11, {
          Row(Next, "?NEXT", "The End", "", {191, 179, 126, 47}, "", 2),
          Row(Answer, "?PVHIDDENLOAD", "", "chips.jpg", {216, 47, 97, 124}, "WNChipsK.mp3"),
          Row(Label, "?STRING1", "Pizza", "", {12, 139, 89, 30}),
          Row(Label, "?STRING3", "Icecream", "", {116, 146, 89, 24}),
          Row(Label, "?STRING4", "Chips", "", {220, 138, 89, 30}),
          Row(Label, "?STRING2", "Cake and", "", {116, 122, 89, 24}),
          Styled(Row(Answer, "?PVHIDDENLOAD:5", "", "cakesm.jpg", {112, 47, 97, 124}, "WYIceCK.mp3"), {.right = true}),
          Row(Answer, "?PVHIDDENLOAD:6", "", "pizzasm.jpg", {8, 47, 97, 124}, "WNpizzaK.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "What  did  they  eat?", "", {42, 5, 234, 37}, "WWhatK.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {121, 184, 57, 20}, "Cow.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {2, 179, 89, 47}, "WWhatK.mp3"),
      }, {{8, "pizzasm.jpg"}, {7, "cakesm.jpg"}, {2, "chips.jpg"}}),
  };
  return def;
}

}  // namespace

const book::BookDef& FeteBook() {
  static const book::BookDef book = MakeFeteBook();
  return book;
}
