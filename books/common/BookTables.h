// The data that makes a book: its pages (one table per page, one row per control in definition
// order), its frame toolbar and its names. Each book folder holds these tables as constant data;
// the common book code (start-up, frame, page procedure) reads them. Read-only; any thread.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "runtime/core/WindowDef.h"
#include "runtime/view/CaptionedPicture.h"
#include "runtime/report/ReportDef.h"

namespace book {

// What a page control is for; the page procedure acts on it by role.
enum class Role {
  Next,       // starts the next page ("Next" / "The End")
  Picture,    // the full-window picture
  Word,       // a hot spot naming something in the picture (letter books: the big letter)
  Sentence,   // the page's main sentence (on question pages: the question)
  Narration,  // ">>": plays the whole page; accepted by itself when the page opens
  Effect,     // a sound effect, shown as a speaker
  MediaPlay,  // a small play mark that plays an empty name, so it only stops the sound
  ExtraLine,  // a further text line with its own sound
  Answer,     // an answer of a question page: a number, words or a picture
  Label,      // a static text naming a picture answer
};

// One control of a page, in definition order (its number is its place in the table, from 1).
struct PageControl {
  Role role = Role::Label;
  std::string use;      // control identifier, e.g. "?PVHIDDENLOAD:2"
  std::string text;     // text shown; empty for none
  std::string picture;  // picture of a Picture control or a picture answer
  wdrt::Geometry pos;   // dialog units; a width or height of 0 takes the size of the text
  std::string sound;    // file played by a sound control ("" for the media play control)
  int next = 0;         // Role::Next: module number of the page it starts
  // Overrides of the role's usual look (0 / empty / kColorNone: the usual).
  int points = 0;
  wdrt::Rgb color = wdrt::kColorNone;
  std::string tip;
  std::string face;
  bool right = false;   // Role::Answer: the right answer of its question
};

struct PageDef {
  int module = 0;                  // the page's procedure module number
  std::string procedure;           // e.g. "friends"
  wdrt::Rgb background = wdrt::kColorNone;
  int width = 317;
  int height = 208;
  int narration = 0;               // number of the control accepted when the page opens
  std::vector<PageControl> controls;
  // Picture answers handed to the picture-button object, in this order: control, picture.
  std::vector<std::pair<int, std::string>> pictureButtons;
};

// A button of the frame's toolbar.
struct ToolbarButton {
  int control = 0;        // negative control number, e.g. -10
  std::string text;       // empty for the print button
  wdrt::Geometry pos;
  int module = 0;         // page started by this button; 0 for print and exit
  bool print = false;
  bool exit = false;
};

// How the print-selection window is reached from the frame.
enum class PrintEntry {
  Started,  // on a thread of its own, like a page: the frame stays usable
  Called,   // on the frame's thread: the frame waits until it closes
};

struct BookDef {
  std::string program;          // "fete"
  std::string iniFile;          // "fete.INI"
  std::string frameTitle;       // "Storyloom"
  std::string framePicture;     // "fetemain.jpg"
  // A frame picture that names the child: the same picture without the name, and the caption
  // ("{child}'s") written over it for a name chosen after the build. No text: none.
  std::string namelessFramePicture;
  wdrt::PictureCaption frameCaption;
  std::string pictureButtonPicture;  // picture for the picture-button object; empty: none used
  int frameWidth = 317;
  int frameHeight = 219;
  PrintEntry printEntry = PrintEntry::Started;
  int printModule = 12;
  // Usual font sizes of this book's word, sentence and narration controls.
  int wordPoints = 28;
  int sentencePoints = 28;
  std::vector<ToolbarButton> toolbar;
  std::vector<PageDef> pages;
  // The printed booklet: its report (null: made from the pages) and its title, which names
  // its PDF ("Zuli's Birthday Party - Mia.pdf").
  const wdrt::report::ReportDef& (*report)() = nullptr;
  std::string title;

  const PageDef* Page(int module) const {
    for (const PageDef& p : pages)
      if (p.module == module) return &p;
    return nullptr;
  }
};

// A page button of the toolbar: its control number (-10 … -20, not -14), text and page module.
struct PageButton {
  int control = 0;
  std::string text;
  int module = 0;
};

// The toolbar of every book frame: two rows, the page buttons at fixed places by control number
// (-10 -11 -12 -13 -20 on row 1, -18 -17 -19 -16 -15 on row 2), the print button (-14) at the
// end of row 1 and "Exit" (-21) at the end of row 2. Only the page buttons' texts differ.
std::vector<ToolbarButton> StandardToolbar(const std::vector<PageButton>& pages);

// Builders that keep the books' tables short and readable.

// A row of a page table: role, identifier, text, picture, position, sound, next page.
PageControl Row(Role role, std::string use, std::string text, std::string picture, wdrt::Geometry pos,
                std::string sound = "", int next = 0);

// Where a row departs from its role's usual look.
struct Look {
  int points = 0;
  wdrt::Rgb color = wdrt::kColorNone;
  std::string tip = "";
  std::string face = "";
  bool right = false;
};
PageControl Styled(PageControl c, Look look);

PageDef StoryPage(int module, std::string procedure, int narration, std::vector<PageControl> controls);
PageDef QuestionPage(int module, std::string procedure, wdrt::Rgb background, int width, int height, int narration,
                     std::vector<PageControl> controls, std::vector<std::pair<int, std::string>> pictureButtons);

}  // namespace book
