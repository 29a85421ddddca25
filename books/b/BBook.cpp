// Tables of the letter book "b": one row per control, in definition order, as the book
// defines them. The book names no control identifiers; each control takes its role's usual one.
#include "books/b/BBook.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using book::PageControl;
using book::PageDef;
using enum book::Role;
using book::Row;
using book::StoryPage;

book::BookDef MakeBBook() {
  book::BookDef def;
  def.program = "b";
  def.iniFile = "b.INI";
  def.frameTitle = "Storyloom";
  def.framePicture = "b.jpg";
  def.pictureButtonPicture = "";
  def.frameHeight = 221;
  def.printEntry = book::PrintEntry::Started;
  def.printModule = 14;
  def.title = "Letter B";
  def.wordPoints = 72;
  def.sentencePoints = 36;
  def.toolbar = book::StandardToolbar({
      {-10, "Ball", 2}, {-11, "Bathtub", 4}, {-12, "Boy", 10}, {-13, "Brown Bear", 1},
      {-20, "Brass Band", 6}, {-18, "Balloons", 8}, {-17, "Binoculars", 7}, {-19, "Buttons", 5},
      {-16, "Bananas", 9}, {-15, "Beans", 11},
  });
  def.pages = {
      StoryPage(1, "bear", 6, {
          Row(Next, "?NEXT", "Next", "", {196, 149, 121, 59}, "", 6),
          Row(Picture, "?IMAGE1", "", "bear.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 3, 86, 60}, "Wbearb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  is  a  brown  bear.", "", {-5, 88, 322, 70}, "Sbearb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {215, 12, 78, 65}, "bear.wav"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 55}, "Sbearb.mp3"),
      }),
      StoryPage(2, "ball", 7, {
          Row(MediaPlay, "?PVHIDDENLOAD:5", "", "PvMedPlay.gif", {1, 2, 4, 5}, ""),
          Row(Next, "?NEXT", "Next", "", {223, 146, 90, 52}, "", 4),
          Row(Picture, "?IMAGE1", "", "balljpg.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {10, 8, 83, 74}, "Wballb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  is  a  ball.", "", {48, 82, 211, 67}, "Sballb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {129, 146, 64, 52}, "Dad.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {6, 146, 96, 52}, "Sballb.mp3"),
      }),
      StoryPage(4, "baby", 5, {
          Row(Next, "?NEXT", "Next", "", {213, 151, 103, 55}, "", 10),
          Row(Picture, "?IMAGE1", "", "bath.jpg", {1, 0, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {7, 4, 65, 53}, "Wbathtbb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  is  a  baby  in  the  bathtub.", "", {1, 62, 316, 65}, "Sbabyb.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 151, 92, 55}, "Sbabyb.mp3"),
      }),
      StoryPage(5, "button", 6, {
          Row(Next, "?NEXT", "Next", "", {214, 149, 101, 52}, "", 9),
          Row(Picture, "?IMAGE1", "", "buttons.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 0, 110, 62}, "Wbutonsb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  are  some  buttons.", "", {22, 63, 290, 84}, "Sbutonsb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {126, 149, 52, 52}, "Colt.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 149, 81, 52}, "Sbutonsb.mp3"),
      }),
      StoryPage(6, "band", 6, {
          Row(Next, "?NEXT", "Next", "", {216, 149, 101, 59}, "", 8),
          Row(Picture, "?IMAGE1", "", "band.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 8, 123, 65}, "Wbandb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  is  a  brass  band.", "", {16, 91, 283, 54}, "Sbandb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {254, 16, 53, 59}, "Sheep.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {9, 137, 81, 59}, "Sbandb.mp3"),
      }),
      StoryPage(7, "binocular", 6, {
          Row(Next, "?NEXT", "Next", "", {205, 148, 112, 59}, "", 5),
          Row(Picture, "?IMAGE1", "", "BINO.JPG", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 0, 115, 63}, "Wbnoclrb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  are  some  binoculars.", "", {19, 83, 286, 73}, "Sbnoclrb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {112, 144, 67, 59}, "Lamb.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {5, 144, 81, 59}, "Sbnoclrb.mp3"),
      }),
      StoryPage(8, "balloons", 6, {
          Row(Next, "?NEXT", "Next", "", {211, 151, 105, 54}, "", 7),
          Row(Picture, "?IMAGE1", "", "BALLoon.JPG", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {7, 7, 107, 60}, "Wbalonsb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  are  some  balloons.", "", {0, 76, 306, 68}, "Sbalonsb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {252, 10, 58, 59}, "Dog.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {2, 148, 81, 55}, "Sbalonsb.mp3"),
      }),
      StoryPage(9, "banana", 6, {
          Row(Next, "?NEXT", "Next", "", {210, 153, 105, 54}, "", 11),
          Row(Picture, "?IMAGE1", "", "BANA.JPG", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {11, 5, 107, 63}, "Wbanansb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  are  some  bananas.", "", {32, 80, 270, 64}, "Sbanansb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {234, 7, 60, 63}, "Puppy.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {3, 149, 81, 55}, "Sbanansb.mp3"),
      }),
      StoryPage(10, "boy", 6, {
          Row(Next, "?NEXT", "Next", "", {217, 153, 98, 55}, "", 1),
          Row(Picture, "?IMAGE1", "", "Boy.jpg", {1, 1, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 1, 98, 73}, "Wboyb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  is  a  boy.", "", {67, 73, 190, 81}, "Sboyb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {111, 142, 73, 55}, "barnyard.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {4, 142, 81, 55}, "Sboyb.mp3"),
      }),
      StoryPage(11, "beans", 6, {
          Row(Next, "?NEXT", "The End", "", {208, 144, 110, 56}, "", 2),
          Row(Picture, "?IMAGE1", "", "bean.jpg", {0, 0, 316, 208}),
          Row(Word, "?PVHIDDENLOAD", "Bb", "", {0, 6, 93, 62}, "Wbeansb.mp3"),
          Row(Sentence, "?PVHIDDENLOAD:2", "Here  are  some  beans.", "", {15, 84, 288, 65}, "Sbeansb.mp3"),
          Row(Effect, "?PVHIDDENLOAD:4", "", "", {131, 146, 57, 59}, "Cow.mp3"),
          Row(Narration, "?PVHIDDENLOAD:3", ">>", "", {3, 148, 81, 55}, "Sbeansb.mp3"),
      }),

  };
  return def;
}

}  // namespace

const book::BookDef& BBook() {
  static const book::BookDef book = MakeBBook();
  return book;
}
