// Opening documents and web addresses with the user's own programs (ShellExecuteA), through
// the desktop's opener. Any thread; never waits for the program it starts.
#pragma once

#include <string>

namespace wdrt {

// Opens `file` (a path or a web address) with the default action. Returns a value above 32 on
// success as the platform does, 2 when nothing could open it. Journals
// `shell-open "<file>" -> <ok|failed>`. WDRT_SHELL_OPEN names another opener (tests).
long ShellExecuteA(long windowHandle, const std::string& operation, const std::string& file,
                   const std::string& parameters, const std::string& directory, int showCommand);

}  // namespace wdrt
