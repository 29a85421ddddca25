// The children's list commands of the kidlt tool and of the grown-ups' window: add, list, rename
// and remove children's names in a personalisation file, and rebuild its key. Each writes its
// report to the given streams and returns an exit code. One thread at a time: they use the
// program-wide KIDLT file.
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
// Renames `from` to `to`: the new name is added before the old one goes, so a failure keeps
// the child in the list.
int RenameName(const std::string& file, const std::string& from, const std::string& to, std::ostream& out,
               std::ostream& err);
int RemoveNames(const std::string& file, const std::vector<std::string>& names, std::ostream& out, std::ostream& err);
int RebuildKey(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace kidlt
