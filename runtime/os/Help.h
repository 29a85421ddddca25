// Help for a window: opens a help file at a context (HELP). The suite has no help viewer of
// its own, so the file goes to the desktop's opener; an HTML file opens at the context as its
// anchor, other kinds open at their start. Any thread; never waits for the viewer.
#pragma once

#include <string>

namespace wdrt {

// The help file found as given, in the current folder, or beside the program; "" when none.
std::string FindHelpFile(const std::string& file);

// Opens `file` at `context`; the shell's result (above 32 when opened; 2 when no such file
// exists). Journals `help "<file>" "<context>" -> <result>`.
long ShowHelp(const std::string& file, const std::string& context);

}  // namespace wdrt
