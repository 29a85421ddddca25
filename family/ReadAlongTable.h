// The read-along table that the build writes beside the sounds ("readalong.tsv"): for every
// spoken sound, when each of its written words is heard. Parsed once; read-only afterwards, so
// any thread may use it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace book {

struct TimedWord {
  int index = 0;       // place among the blank-separated words of the spoken text, from 0
  std::string word;    // as written
  long startMs = 0;
  long endMs = 0;
};

// The blank-separated words of a text, as the view counts them and the table numbers them.
std::vector<std::string> WordsOfText(const std::string& text);

// Sound file names in lower case (names are found whatever their case) to their words in order.
using ReadAlongTable = std::map<std::string, std::vector<TimedWord>>;

// Rows "sound<TAB>index<TAB>word<TAB>start<TAB>end"; lines starting with "#" and rows that do
// not parse are left out.
ReadAlongTable ParseReadAlongTable(const std::string& text);

// The words of `sound`, or null when it has none (effects, or no table).
const std::vector<TimedWord>* TimedWordsOf(const ReadAlongTable& table, const std::string& sound);

// The table of this program's folder, read on first use; empty when there is none.
const ReadAlongTable& SuiteReadAlongTable();

}  // namespace book
