// File-name services: lookup whatever the case (as on Windows), the user's configuration, data
// and documents folders, and the folder of the running program. Any thread.
#pragma once

#include <optional>
#include <string>

namespace wdrt {

// Finds `name` relative to the current folder (or as an absolute path) whatever the case of
// each part. Returns the real path, or nullopt when nothing matches.
std::optional<std::string> FindFileAnyCase(const std::string& name);

// `$XDG_CONFIG_HOME/storyloom` (default `~/.config/storyloom`), created when missing.
std::string ConfigFolder();

// `$XDG_DATA_HOME/storyloom` (default `~/.local/share/storyloom`): what the suite makes for
// this family. Not created here.
std::string DataFolder();

// A bare file name resolves into the configuration folder; a name with a folder stays.
std::string ResolveConfigFile(const std::string& name);

// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR of user-dirs.dirs),
// else ~/Documents. Not created here.
std::string DocumentsFolder();

// Folder holding the running program (from /proc/self/exe).
std::string ProgramFolder();

}  // namespace wdrt
