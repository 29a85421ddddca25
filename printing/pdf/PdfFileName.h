// Where the PDF goes: a name without a folder lands in the writer's folder (or else the
// current folder), a relative folder is taken from there too, and a name without an extension
// gets ".pdf". Plain functions; any thread.
#pragma once

#include <cstddef>
#include <string>

namespace printing {

// `folder` empty: the current folder. An empty name stays empty.
std::string ResolvePdfFileName(const std::string& name, const std::string& folder);

// `text` cut to at most `size` bytes without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, std::size_t size);

// The folder of the writer's files when none is given: the user's private temporary folder
// (mode 0700); "" when there is none.
std::string PdfTempFolder();

}  // namespace printing
