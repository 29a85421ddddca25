// Which word of which control of a page lights up when, while a sound plays: the timed words
// of the sound are matched, run by run, against the words that the page shows. Pure functions
// of the page table and the read-along table; any thread.
#pragma once

#include <string>
#include <vector>

#include "books/common/BookTables.h"
#include "family/ReadAlongTable.h"

namespace book {

struct LitWord {
  long startMs = 0;  // from this play position on ...
  int control = 0;   // ... this control of the page ...
  int word = 0;      // ... shows this word of its text (from 0) lit up
  friend bool operator==(const LitWord&, const LitWord&) = default;
};

// A word reduced for comparison: letters and digits in lower case ("Look," and "look" match).
std::string ComparableWord(const std::string& word);

// The plan for the sound of control `pressed` (from 1). Each run of the sound's words that
// reads exactly as the text of a control lights up in that control: the pressed control is
// tried first, then the page's sentence, extra lines and word controls in table order, so a
// narration lights up the lines it reads one after the other. Words that match no text leave
// the last word lit. Empty when nothing on the page reads as the sound.
std::vector<LitWord> PlanReadAlong(const PageDef& page, int pressed, const std::vector<TimedWord>& timed);

// The entry of `plan` in force at play position `positionMs`, or null before the first.
const LitWord* LitAt(const std::vector<LitWord>& plan, long positionMs);

}  // namespace book
