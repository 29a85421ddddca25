#include "runtime/os/Help.h"

#include <cctype>
#include <filesystem>

#include "runtime/core/Journal.h"
#include "runtime/dialogs/HelpBook.h"
#include "runtime/os/Shell.h"

namespace wdrt {
namespace {

bool IsHtml(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".htm" || extension == ".html";
}

}  // namespace

std::string FindHelpFile(const std::string& file) {
  namespace fs = std::filesystem;
  if (file.empty()) return {};
  std::error_code error;
  const fs::path given(file);
  if (fs::is_regular_file(given, error)) return fs::absolute(given, error).lexically_normal().string();
  if (given.is_relative()) {
    const fs::path program = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (!error && fs::is_regular_file(program / given, error)) return (program / given).lexically_normal().string();
  }
  return {};
}

long ShowHelp(const std::string& file, const std::string& context) {
  const std::string found = FindHelpFile(file);
  long result = ShellFileNotFound;
  if (found.empty() && !HelpBookFolder().empty()) {
    // Without a help file of its own a window gets the suite's help book, at the page its
    // context names ("printing" opens "printing.html").
    OpenHelpBook(context.empty() ? "index.html" : context + ".html");
    result = 42;
  } else if (!found.empty()) {
    const bool anchor = !context.empty() && IsHtml(found);
    result = ShellExecuteA(0, "", anchor ? "file://" + found + "#" + context : found, "", "", 1);
  }
  JournalLine("help " + JournalQuote(file) + " " + JournalQuote(context) + " -> " + std::to_string(result));
  return result;
}

}  // namespace wdrt
