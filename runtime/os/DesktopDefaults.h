// The desktop's default programs, standing in for the registry's "shell\open\command" values:
// which program opens a MIME type or URL scheme (xdg-mime), and its command with the target
// written as "%1". Also the helper that runs a program with an argument list and reads its
// output. Any thread; every call starts a short-lived helper process, journalled as
// `helper "<program>" "<argument>" …`, and waits for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wdrt {

// Runs `argv` (argv[0] looked up in PATH, never through a shell) and returns its standard
// output, or nullopt when it could not start or did not exit with 0.
std::optional<std::string> CaptureOutput(const std::vector<std::string>& argv);

// The desktop file id (e.g. "firefox-esr.desktop") of the default program for `mimeType`
// ("x-scheme-handler/http", "text/html"), from `xdg-mime query default`; "" when none. Asked
// once per type and desktop environment, then kept for the program's life.
std::string DefaultApplication(const std::string& mimeType);

// The Exec line of the desktop file `desktopId`, looked up in $XDG_DATA_HOME/applications
// and $XDG_DATA_DIRS/*/applications ("vendor-app.desktop" also as "vendor/app.desktop").
std::string DesktopExecLine(const std::string& desktopId);

// An Exec line as a Windows-style command: the file and URL field codes (%u %U %f %F) become
// "%1", the other field codes are dropped and "%%" becomes "%".
std::string ExecLineAsCommand(const std::string& exec);

// The command registered to open `mimeType`, with "%1" for the target; "" when none.
std::string OpenCommand(const std::string& mimeType);

// Splits a command into its arguments as the desktop files quote them: blanks separate,
// double quotes group, and inside quotes a backslash escapes the next character.
std::vector<std::string> SplitCommandLine(const std::string& command);

// The MIME type of an existing file (`xdg-mime query filetype`); "" when unknown.
std::string FileMimeType(const std::string& path);

}  // namespace wdrt
