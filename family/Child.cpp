#include "family/Child.h"

#include "ChildName.h"
#include "family/SuiteSettings.h"
#include "runtime/os/Letters.h"
#include "runtime/report/TextCodePage.h"

namespace book {
namespace {

bool IsApostrophe(char32_t c) { return c == U'\'' || c == U'\u2019' || c == U'\u02BC'; }
bool IsHyphen(char32_t c) { return c == U'-' || c == U'\u2010' || c == U'\u2011'; }

}  // namespace

std::string ChildName(const std::string& bookIniFile) {
  const std::string name = TrimmedName(SuiteSetting("Child", "Name", "", bookIniFile));
  // A name spoilt by hand in the file is passed over rather than shown on every page.
  return name.empty() || !ChildNameProblem(name).empty() ? std::string(kChildName) : name;
}

std::string SpokenChildName(const std::string& bookIniFile) {
  const std::string said = TrimmedName(SuiteSetting("Child", "SayItLike", "", bookIniFile));
  const auto code = wdrt::DecodeUtf8(said);
  bool usable = code && !said.empty();
  if (code)
    for (char32_t c : *code) usable = usable && !wdrt::IsControl(c);
  return usable ? said : ChildName(bookIniFile);
}

std::string WithChildName(std::string text, const std::string& name) {
  const std::string placeholder = kChildPlaceholder;
  for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + name.size()))
    text.replace(at, placeholder.size(), name);
  return text;
}

std::string TrimmedName(const std::string& typed) {
  const auto first = typed.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const std::string trimmed = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
  // Not valid text stays as it is, for ChildNameProblem to refuse.
  return wdrt::DecodeUtf8(trimmed) ? wdrt::ComposedText(trimmed) : trimmed;
}

std::string ChildNameProblem(const std::string& name) {
  if (name.empty()) return "Please type the child's name: it cannot be empty.";
  const auto code = wdrt::DecodeUtf8(name);
  if (!code) return "The name holds bytes that are not text. Please type it again.";
  bool letter = false;
  for (char32_t c : *code) {
    if (wdrt::IsControl(c)) return "A name cannot hold control characters.";
    if (wdrt::IsLetter(c)) {
      letter = true;
      continue;
    }
    if (wdrt::IsMark(c) || c == U' ' || IsHyphen(c) || IsApostrophe(c)) continue;
    return "A name can hold only letters, blanks, hyphens (-) and apostrophes (').";
  }
  if (!letter) return "A name needs at least one letter.";
  if (code->size() > kChildNameCharacters)
    return "A name can be at most " + std::to_string(kChildNameCharacters) + " characters long; this one has " +
           std::to_string(code->size()) + ".";
  // The printed book writes the name in one code page of the page's font.
  if (!wdrt::report::PrintableOnPage(name))
    return "The name mixes letters of alphabets that cannot be printed together in a book. Please "
           "type it in one alphabet.";
  return "";
}

}  // namespace book
