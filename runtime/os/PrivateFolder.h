// The user's private temporary folder (mode 0700) and files created in it exclusively under
// unguessable names. Page files, PDFs and other temporaries of the suite live there, never
// under predictable names in a shared folder. Any thread.
#pragma once

#include <optional>
#include <string>

namespace wdrt {

// `$XDG_RUNTIME_DIR/storyloom` when that folder is usable, else `/tmp/storyloom-<uid>`;
// created with mode 0700 and refused when it is a link or belongs to somebody else.
// Returns "" when no such folder can be had.
std::string PrivateTempFolder();

// Creates a new empty file `<folder>/<prefix><16 random hex digits><suffix>` with O_EXCL and
// mode 0600 and returns its full name; nullopt when it cannot be created.
std::optional<std::string> CreatePrivateFile(const std::string& folder, const std::string& prefix,
                                             const std::string& suffix);

// Creates `name` exclusively (mode 0600). False when it exists already or cannot be made.
bool CreateFileExclusively(const std::string& name);

// 64 random bits from the kernel, for names nobody can guess.
unsigned long long RandomBits();

}  // namespace wdrt
