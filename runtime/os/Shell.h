// Opening documents and web addresses with the user's own programs (ShellExecuteA), through
// the desktop's opener. Any thread; never waits for the program it starts.
#pragma once

#include <string>

namespace wdrt {

// The results of the shell's "open" that callers tell apart (values of 32 and below fail).
enum ShellResult : long {
  ShellOutOfResources = 0,
  ShellFileNotFound = 2,
  ShellPathNotFound = 3,
  ShellAccessDenied = 5,
  ShellOutOfMemory = 8,
  ShellNoAssociation = 31,
  ShellOpened = 42,
};

// Opens `file` (a path or a web address) with the default action. A web address needs a
// program registered for its scheme and a file one for its type (xdg-mime), else 31; a file
// that does not exist gives 2 (3 when its folder is missing), one that cannot be read 5, and a
// start that fails for want of memory 8. On success the desktop's opener (xdg-open) gets the
// target as one argument, never through a shell, and 42 is returned. Journals
// `shell-open "<file>" -> <ok|failed>`. WDRT_SHELL_OPEN names another opener and skips the
// look-up of a registered program (tests).
long ShellExecuteA(long windowHandle, const std::string& operation, const std::string& file,
                   const std::string& parameters, const std::string& directory, int showCommand);

// The MIME type whose registered program opens `target`: "x-scheme-handler/<scheme>" for an
// address with a scheme other than file:, else the type of the file (empty when unknown).
std::string OpenTargetType(const std::string& target);

}  // namespace wdrt
