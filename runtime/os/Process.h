// Program-level services: HALT ends the program, RUN starts another program without
// waiting, COMMAND gives the program's command line. Any procedure thread may call them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wdrt {

// Ends the program with `code`. A non-empty message is shown to the user first (the view
// shows it; without a view it goes to standard error). Writes `halt <code> "<message>"`.
[[noreturn]] void Halt(int code, const std::string& message = "");

// Tests replace what HALT does after journalling (for example to throw in a death test).
void SetHaltHandler(std::function<void(int, const std::string&)> handler);

// RUN(command, wait=false): starts a program. Windows-style names are accepted:
// "fete.exe " runs `fete` from the current folder, whatever the case of the name.
// Returns false (quietly) when the program cannot be found or started.
bool Run(const std::string& command, bool wait = false);

// True when RUN would find the program of `command` (its first word).
bool CanRun(const std::string& command);

// RUN with an argument list: each argument reaches the program as it is, never through a
// shell. The program is found as RUN finds it and otherwise in PATH. Journals
// `run "<arguments joined by blanks>" -> ok|failed`.
bool RunArguments(const std::vector<std::string>& arguments, bool wait = false);

// The program's command line as given, arguments joined by blanks (COMMAND).
void SetCommandLine(int argc, char** argv);
std::string CommandLine();
std::vector<std::string> CommandArguments();

// Starts `program` with exactly `arguments`, without waiting: RunArguments with the program first.
bool RunWithArguments(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace wdrt
