// The commands of the kidlt tool: add, list and remove children's names in a personalisation
// file, and rebuild its key. Each writes its report to the given streams and returns the
// process exit code. Main thread of the tool.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kidlt {

enum ExitCode : int { kExitOk = 0, kExitSomeRefused = 1, kExitFileTrouble = 2 };

// Why a name cannot be stored, or empty when it can. `name` is already trimmed.
std::string NameProblem(const std::string& name);
// Blanks and tabs around a name are not part of it.
std::string Trim(const std::string& text);

int AddNames(const std::string& file, const std::vector<std::string>& names, std::ostream& out, std::ostream& err);
int ListNames(const std::string& file, std::ostream& out, std::ostream& err);
int RemoveNames(const std::string& file, const std::vector<std::string>& names, std::ostream& out, std::ostream& err);
int RebuildKey(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace kidlt
