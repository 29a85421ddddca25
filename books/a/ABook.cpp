// Tables of the letter book "a": one row per control, in definition order, as the book
// defines them. The book names no control identifiers; each control takes its role's usual one.
#include "books/a/ABook.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using book::PageControl;
using book::PageDef;
using enum book::Role;
using book::Row;
using book::StoryPage;

book::BookDef MakeABook() {
  book::BookDef def;
  def.program = "a";
  def.iniFile = "a.INI";
  def.frameTitle = "Storyloom";
  def.framePicture = "a.jpg";
  def.pictureButtonPicture = "";
  def.frameHeight = 219;
  def.printEntry = book::PrintEntry::Called;
  def.printModule = 12;
  def.title = "Letter A";
  def.wordPoints = 72;
  def.sentencePoints = 36;
  def.toolbar = book::StandardToolbar({
      {-10, "Apple", 2}, {-11, "Alligator", 4}, {-12, "Alphabet", 10}, {-13, "Avocado", 1},
      {-20, "Africa", 6}, {-18, "Ant", 8}, {-17, "Arrow", 7}, {-19, "Acorn", 5},
      {-16, "Angel", 9}, {-15, "Acrobat", 11},
  });
  def.pages = {
      StoryPage(1, "avacado", 6, {
          Row(Next, "?NEXT", "Next", "", {196, 149, 121, 59}, "", 6),
          Row(Picture, "?IMAGE1", "", "avacado.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {0, 3, 86, 60}, "Wavacdoa.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  avocado.", "", {-5, 75, 322, 70}, "Savacdoa.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {215, 12, 78, 65}, "Horse.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 55}, "Savacdoa.mp3"),
      }),
      StoryPage(2, "apple", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {223, 146, 90, 52}, "", 4),
          Row(Picture, "?IMAGE1", "", "applejpg.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {5, 5, 83, 74}, "Wapplea.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  apple.", "", {27, 89, 211, 67}, "Sapplea.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {129, 146, 64, 52}, "Dad.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "Sapplea.mp3"),
      }),
      StoryPage(4, "alli", 5, {
          Row(Next, "?NEXT", "Next", "", {213, 151, 103, 55}, "", 10),
          Row(Picture, "?IMAGE1", "", "ALIG.JPG", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {7, 4, 65, 53}, "Wagatora.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  alligator.", "", {54, 63, 214, 69}, "Sagatora.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 151, 92, 55}, "Sagatora.mp3"),
      }),
      StoryPage(5, "acorn", 6, {
          Row(Next, "?NEXT", "Next", "", {214, 149, 101, 52}, "", 9),
          Row(Picture, "?IMAGE1", "", "acorn.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {0, 0, 110, 62}, "Wacorna.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  acorn.", "", {46, 58, 238, 84}, "Sacorna.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {126, 149, 52, 52}, "Colt.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 149, 81, 52}, "Sacorna.mp3"),
      }),
      StoryPage(6, "africa", 6, {
          Row(Next, "?NEXT", "Next", "", {216, 149, 101, 59}, "", 8),
          Row(Picture, "?IMAGE1", "", "africa.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {0, 8, 123, 65}, "Wafricaa.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  Africa.", "", {34, 89, 256, 54}, "Safricaa.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {254, 16, 53, 59}, "Sheep.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 59}, "Safricaa.mp3"),
      }),
      StoryPage(7, "arrow", 6, {
          Row(Next, "?NEXT", "Next", "", {205, 148, 112, 59}, "", 5),
          Row(Picture, "?IMAGE1", "", "arrowjpg.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {0, 0, 115, 63}, "Warrowa.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  arrow.", "", {17, 92, 286, 73}, "Sarrowa.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {112, 144, 67, 59}, "Lamb.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {5, 144, 81, 59}, "Sarrowa.mp3"),
      }),
      StoryPage(8, "ant", 6, {
          Row(Next, "?NEXT", "Next", "", {212, 153, 105, 54}, "", 7),
          Row(Picture, "?IMAGE1", "", "antjpg.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {12, 2, 107, 60}, "Wanta.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  ant.", "", {65, 91, 182, 71}, "Santa.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {243, 67, 58, 59}, "Dog.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {2, 148, 81, 55}, "Santa.mp3"),
      }),
      StoryPage(9, "angel", 6, {
          Row(Next, "?NEXT", "Next", "", {210, 153, 105, 54}, "", 11),
          Row(Picture, "?IMAGE1", "", "angel.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {11, 5, 107, 63}, "Wangela.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  angel.", "", {32, 80, 270, 64}, "Sangela.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {234, 7, 60, 63}, "Puppy.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {3, 149, 81, 55}, "Sangela.mp3"),
      }),
      StoryPage(10, "alpha", 6, {
          Row(Next, "?NEXT", "Next", "", {217, 153, 98, 55}, "", 1),
          Row(Picture, "?IMAGE1", "", "abc.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {0, 1, 98, 73}, "Wabca.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  alphabet.", "", {24, 63, 265, 78}, "Sabca.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {111, 142, 73, 55}, "barnyard.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {4, 142, 81, 55}, "Sabca.mp3"),
      }),
      StoryPage(11, "acrobat", 6, {
          Row(Next, "?NEXT", "The End", "", {208, 144, 110, 56}, "", 2),
          Row(Picture, "?IMAGE1", "", "acrobat.jpg", {0, 0, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Aa", "", {2, 3, 106, 57}, "Wacrbata.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "A  is  for  acrobat.", "", {45, 56, 233, 85}, "Sacrbata.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {131, 146, 57, 59}, "Cow.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {3, 148, 81, 55}, "Sacrbata.mp3"),
      }),

  };
  return def;
}

}  // namespace

const book::BookDef& ABook() {
  static const book::BookDef book = MakeABook();
  return book;
}
