// The suite's help book for grown-ups: HTML pages shipped in the suite folder's "help" folder,
// shown in one "Storyloom Help" window per program with a button for each page and a search
// over all of them. Any thread may ask for it; the window runs on a thread of its own and the
// caller never waits.
#pragma once

#include <string>
#include <vector>

namespace wdrt {

// Where the help book lies: "help" beside the running program; "" when it is not there.
std::string HelpBookFolder();

// Opens the help window (or brings the open one) at a page ("index.html", "help.html" …;
// a page that is not in the book gives the contents). With `search`, the search field takes
// the keyboard. Journals `help-page "<page>"`.
void OpenHelpBook(const std::string& page, bool search = false);

// The pages of the book in `folder` that hold every word of `words` (any case), by file name.
std::vector<std::string> SearchHelpBook(const std::string& folder, const std::string& words);

}  // namespace wdrt
