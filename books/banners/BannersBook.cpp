// The flag book's tables: one row per control, in definition order, as the book defines them.
#include "books/banners/BannersBook.h"

#include <string>
#include <utility>
#include <vector>

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

constexpr wdrt::Rgb kBlue = MakeRgb(0, 0, 255);
constexpr wdrt::Rgb kYellow = MakeRgb(255, 255, 0);

book::BookDef MakeBannersBook() {
  book::BookDef def;
  def.program = "banners";
  def.iniFile = "banners.INI";
  def.frameTitle = "Storyloom";
  def.framePicture = "bannersmn.jpg";
  def.pictureButtonPicture = "BACK.jpg";
  def.frameHeight = 219;
  def.printEntry = book::PrintEntry::Called;
  def.printModule = 12;
  def.title = "Our Flag";
  def.wordPoints = 28;
  def.sentencePoints = 28;
  def.toolbar = book::StandardToolbar({
      {-10, "1", 2}, {-11, "2", 4}, {-12, "3", 6}, {-13, "4", 1}, {-20, "5", 5},
      {-18, "6", 7}, {-17, "7", 8}, {-19, "?", 9}, {-16, "?", 10}, {-15, "?", 11},
  });
  def.pages = {
      StoryPage(1, "colors", 6, {
          Row(Next, "?NEXT", "Next", "", {196, 149, 121, 59}, "", 5),
          Row(Picture, "?IMAGE1", "", "colorsF.JPG", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  snakes.", "", {13, 40, 31, 38}, "ssnakesW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "The  colors  are  red,  white  and  blue.", "", {57, 10, 226, 65}, "ScolorsF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {97, 143, 78, 65}, "snakes.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 55}, "ScolorsF.mp3"),
      }),
      StoryPage(2, "free", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {227, 154, 90, 52}, "", 4),
          Row(Picture, "?IMAGE1", "", "BautyF.jpg", {0, 0, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "It  stands  for  freedom.", "", {25, 60, 266, 45}, "WFreedmF.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Look  at  our  beautiful  flag.", "", {27, 17, 266, 45}, "WlookF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {127, 153, 64, 52}, "Dad.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {0, 151, 96, 52}, "SbeatflF.mp3"),
      }),
      StoryPage(4, "stripes", 7, {
          Row(Next, "?NEXT", "Next", "", {213, 151, 103, 55}, "", 6),
          Row(Picture, "?IMAGE1", "", "stripesf.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Seven  stripes  are  red.", "", {20, 59, 274, 36}, "W7RedF.mp3"),
          Styled(Row(ExtraLine, "?PVHIDDENLOAD:5", "Six  stripes  are  white.", "", {20, 107, 274, 36}, "W6WhiteF.mp3"), {.tip = "Play"}),
          Row(Sentence, "?PVHIDDENLOAD:2", "It  has  13  stripes.", "", {20, 12, 274, 36}, "W13StrF.mp3"),
          Styled(Row(Effect, "?PVHIDDENLOAD:4", "", "", {110, 144, 65, 61}, "squirrel.mp3"), {.tip = "Play", .face = "Arial"}),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 151, 92, 55}, "SstripsF.mp3"),
      }),
      StoryPage(5, "campuss", 6, {
          Row(Next, "?NEXT", "Next", "", {216, 149, 101, 59}, "", 7),
          Row(Picture, "?IMAGE1", "", "campusf.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  birds.", "", {109, 80, 32, 48}, "SBirdsW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Flags  fly  at  every  campus.", "", {25, 8, 270, 48}, "scampusF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {6, 79, 53, 59}, "Birds.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 59}, "scampusF.mp3"),
      }),
      StoryPage(6, "stars", 6, {
          Row(Next, "?NEXT", "Next", "", {217, 153, 98, 55}, "", 1),
          Row(Picture, "?IMAGE1", "", "starsF.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Each  star  stands  for  a  state.", "", {19, 70, 292, 49}, "WeachStF.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "It  has  50  stars.", "", {19, 14, 292, 49}, "WstarsF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {111, 142, 73, 55}, "chip.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {4, 142, 81, 55}, "sstarsF.mp3"),
      }),
      StoryPage(7, "country", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {227, 143, 90, 52}, "", 8),
          Row(Picture, "?IMAGE1", "", "countryF.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Let's sing!", "", {72, 100, 188, 49}, "sfishW.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Flags  fly  in  Washington  D.C  and  all  over  our  country.", "", {24, 23, 285, 69}, "sWashDCF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {117, 156, 64, 52}, "Dad.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "sWashDCF.mp3"),
      }),
      StoryPage(8, "love", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {227, 156, 90, 52}, "", 9),
          Row(Picture, "?IMAGE1", "", "loveF.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "I  see  waterfalls.", "", {60, 67, 193, 49}, "swatrflw.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "I  love  to  see  our  flag.", "", {51, 9, 238, 49}, "sseeflgF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {129, 146, 64, 52}, "water.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "sseeflgF.mp3"),
      }),
      QuestionPage(9, "quest1", MakeRgb(255, 0, 0), 317, 208, 8, {
          Row(Next, "?NEXT", "Next", "", {184, 172, 133, 36}, "", 10),
          Styled(Row(Answer, "?PVHIDDENLOAD", "Red and White", "REDWHITE.jpg", {6, 52, 100, 108}, "WNrdwhtF.mp3"), {.color = kYellow}),
          Styled(Row(Answer, "?PVHIDDENLOAD:5", "Red,White and Blue", "RWB.jpg", {109, 52, 100, 108}, "WYRDWBLF.mp3"), {.color = kYellow, .right = true}),
          // Shows a blue "12" but plays an empty name, so pressing it only stops the sound.
          Styled(Row(MediaPlay, "?PVHIDDENLOAD:7", "12", "", {0, 168, 40, 40}, ""), {.color = kBlue}),
          Styled(Row(Answer, "?PVHIDDENLOAD:6", "Red and Blue", "REDBLUE.jpg", {213, 52, 100, 108}, "WNredblF.mp3"), {.color = kYellow}),
          Row(Sentence, "?PVHIDDENLOAD:2", "What  colors  are  on  our  flag?", "", {5, 2, 312, 36}, "SWColrsF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {106, 172, 53, 36}, "racoonsW.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {11, 174, 81, 35}, "SWColrsF.mp3"),
      }, {{2, "REDWHITE.jpg"}, {3, "RWB.jpg"}, {5, "REDBLUE.jpg"}}),
      QuestionPage(10, "quest2", MakeRgb(255, 0, 0), 317, 208, 8, {
          Row(Next, "?NEXT", "Next", "", {190, 163, 126, 45}, "", 11),
          Styled(Row(Answer, "?PVHIDDENLOAD", "20", "", {60, 91, 52, 40}, "WN20F.mp3"), {.color = kBlue}),
          Styled(Row(Answer, "?PVHIDDENLOAD:5", "10", "", {135, 91, 52, 40}, "WN10F.mp3"), {.color = kBlue}),
          Styled(Row(Answer, "?PVHIDDENLOAD:6", "50", "", {212, 91, 52, 40}, "WY50F.mp3"), {.color = kBlue, .right = true}),
          Row(Sentence, "?PVHIDDENLOAD:2", "How  many  stars  are  on  our  flag?", "", {48, 3, 232, 41}, "SHstarsF.mp3"),
          Row(Picture, "?IMAGE1", "", "starsF.jpg", {-1, -1, 318, 209}),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {113, 179, 65, 30}, "deer.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {3, 149, 81, 55}, "SHstarsF.mp3"),
      }, {}),
      QuestionPage(11, "quest3", MakeRgb(128, 255, 255), 316, 226, 10, {
          Row(Next, "?NEXT", "The End", "", {181, 189, 133, 32}, "", 2),
          Styled(Row(Answer, "?PVHIDDENLOAD", "", "FreeRel2.jpg", {7, 53, 94, 122}, "WYfredomF.mp3"), {.right = true}),
          Row(Answer, "?PVHIDDENLOAD:5", "", "war2.jpg", {215, 53, 94, 122}, "WNwarF.mp3"),
          Row(Label, "?STRING3", "Freedom", "", {11, 143, 86, 30}),
          Row(Label, "?STRING1", "War", "", {219, 143, 86, 30}),
          Row(Label, "?STRING2", "Sadness", "", {120, 143, 86, 30}),
          Row(Answer, "?PVHIDDENLOAD:6", "", "sad2.jpg", {116, 53, 94, 122}, "WNsadF.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "What  does  our  flag  stand  for?", "", {42, 5, 234, 38}, "SWstandF.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {121, 184, 57, 20}, "Cow.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {5, 187, 85, 31}, "SWstandF.mp3"),
      }, {{3, "war2.jpg"}, {7, "sad2.jpg"}, {2, "FreeRel2.jpg"}}),
  };
  return def;
}

}  // namespace

const book::BookDef& BannersBook() {
  static const book::BookDef book = MakeBannersBook();
  return book;
}
