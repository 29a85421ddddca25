// Help for a window: opens a help file at a context (HELP). A help file of the caller's goes to
// the desktop's opener (an HTML file opens at the context as its anchor, other kinds at their
// start); without one the suite's own help book opens. Any thread; never waits for the viewer.
#pragma once

#include <string>

namespace wdrt {

// The help file found as given, in the current folder, or beside the program; "" when none.
std::string FindHelpFile(const std::string& file);

// Opens `file` at `context`; the shell's result (above 32 when opened; 2 when no such file
// exists and the suite's help book is not there either). Journals `help "<file>" "<context>" -> <result>`.
long ShowHelp(const std::string& file, const std::string& context);

}  // namespace wdrt
