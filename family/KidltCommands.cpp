#include "family/KidltCommands.h"

#include <ostream>

#include "family/Kidlt.h"
#include "runtime/data/ErrorState.h"
#include "runtime/report/TextCodePage.h"

namespace kidlt {
namespace {

// Seconds to wait for a book that is printing to let go of the file.
constexpr const char* kRecover = "Recover=5";

// Counts characters of valid UTF-8; -1 when the bytes are not UTF-8.
long Utf8Length(const std::string& text) {
  long count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (c < 0x80) extra = 0;
    else if ((c & 0xE0) == 0xC0 && c >= 0xC2) extra = 1;
    else if ((c & 0xF0) == 0xE0) extra = 2;
    else if ((c & 0xF8) == 0xF0 && c <= 0xF4) extra = 3;
    else return -1;
    if (i + extra >= text.size()) return -1;
    for (std::size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
    i += extra + 1;
  }
  return count;
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// Explains the runtime's error after a failed OPEN/CREATE of `file`.
void ExplainFileError(const std::string& file, std::ostream& err) {
  err << "kidlt: ";
  switch (wdrt::ErrorCode()) {
    case wdrt::ErrNotFound:
      err << file << " does not exist.\n";
      break;
    case wdrt::ErrPathNotFound:
      err << "the folder of " << file << " does not exist.\n";
      break;
    case wdrt::ErrAccessDenied:
      err << "no permission to change " << file << ".\n";
      break;
    case wdrt::ErrLocked:
      err << file << " is in use by a book that is printing; try again when it has finished.\n";
      break;
    case wdrt::ErrKeyFileInvalid:
      err << "the key of " << file << " is damaged; run `kidlt rebuild` to repair it.\n";
      break;
    case wdrt::ErrInvalidFile:
      err << file << " is not a personalisation file, or it is damaged. It was left as it is.\n";
      break;
    case wdrt::ErrDriver:
      err << file << ": " << wdrt::FileErrorText() << " (" << wdrt::FileErrorCode() << ").\n";
      break;
    default:
      err << file << ": " << wdrt::ErrorText() << " (" << wdrt::ErrorCode() << ").\n";
  }
}

bool OpenFile(const std::string& file, bool createWhenMissing, std::ostream& out, std::ostream& err) {
  KIDLT.SetName(file);
  KIDLT.Send(kRecover);
  if (KIDLT.Open(wdrt::kModeSharedReadWrite)) return true;
  if (wdrt::ErrorCode() == wdrt::ErrNotFound && createWhenMissing) {
    if (!KIDLT.Create()) {
      ExplainFileError(file, err);
      return false;
    }
    out << "created " << file << "\n";
    if (KIDLT.Open(wdrt::kModeSharedReadWrite)) return true;
  }
  ExplainFileError(file, err);
  return false;
}

}  // namespace

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string NameProblem(const std::string& name) {
  if (name.empty()) return "a name cannot be empty";
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return "a name cannot hold control characters";
  const long characters = Utf8Length(name);
  if (characters < 0) return "the name is not valid UTF-8 text";
  // Names are printed in one code page of the page's font; refuse what none of them holds
  // here, where the parent can still retype it, rather than print it as garbage.
  if (!wdrt::report::PrintableOnPage(name))
    return "it holds a character that cannot be printed in a book; type it with the letters of one "
           "alphabet (for example Latin, Greek or Cyrillic)";
  if (name.size() > kKidltNameSize) {
    std::string why = "the name is too long: it has " + std::to_string(characters) + " characters";
    if (static_cast<std::size_t>(characters) != name.size())
      why += " taking " + std::to_string(name.size()) + " bytes (letters such as é take two)";
    return why + ", and a name can take at most " + std::to_string(kKidltNameSize) +
           (static_cast<std::size_t>(characters) != name.size() ? " bytes" : " characters");
  }
  return "";
}

int AddNames(const std::string& file, const std::vector<std::string>& names, std::ostream& out, std::ostream& err) {
  // Every name is checked before the file is touched, so a typing slip changes nothing.
  int result = kExitOk;
  std::vector<std::string> good;
  for (const auto& raw : names) {
    const std::string name = Trim(raw);
    if (const std::string problem = NameProblem(name); !problem.empty()) {
      err << "kidlt: not added " << Quoted(name) << ": " << problem << ".\n";
      result = kExitSomeRefused;
    } else {
      good.push_back(name);
    }
  }
  if (good.empty()) return result;
  if (!OpenFile(file, true, out, err)) return kExitFileTrouble;
  for (const auto& name : good) {
    KIDLT.Record().Clear();
    KIDLT.Record().SetText(kKidltNameField, name);
    if (KIDLT.Add()) {
      out << "added " << name << "\n";
    } else if (wdrt::ErrorCode() == wdrt::ErrDuplicateKey) {
      err << "kidlt: " << Quoted(name) << " is already in the list.\n";
      result = kExitSomeRefused;
    } else {
      ExplainFileError(file, err);
      KIDLT.Close();
      return kExitFileTrouble;
    }
  }
  KIDLT.Close();
  return result;
}

int ListNames(const std::string& file, std::ostream& out, std::ostream& err) {
  KIDLT.SetName(file);
  KIDLT.Send(kRecover);
  if (!KIDLT.Open(wdrt::kModeSharedReadWrite)) {
    if (wdrt::ErrorCode() == wdrt::ErrNotFound) {
      err << "kidlt: " << file << " does not exist yet: no names.\n";
      return kExitOk;
    }
    ExplainFileError(file, err);
    return kExitFileTrouble;
  }
  long count = 0;
  KIDLT.Set(kKidltNameKey);
  while (KIDLT.Next()) {
    out << Trim(KIDLT.Record().Text(kKidltNameField)) << "\n";
    ++count;
  }
  const bool ended = wdrt::ErrorCode() == wdrt::ErrNoMoreRecords;
  if (!ended) ExplainFileError(file, err);
  KIDLT.Close();
  if (count == 0 && ended) err << "kidlt: " << file << " has no names yet.\n";
  return ended ? kExitOk : kExitFileTrouble;
}

int RemoveNames(const std::string& file, const std::vector<std::string>& names, std::ostream& out, std::ostream& err) {
  if (!OpenFile(file, false, out, err)) return kExitFileTrouble;
  int result = kExitOk;
  for (const auto& raw : names) {
    const std::string name = Trim(raw);
    KIDLT.Record().Clear();
    if (!NameProblem(name).empty() || !KIDLT.Record().SetText(kKidltNameField, name) || !KIDLT.Get(kKidltNameKey)) {
      if (wdrt::ErrorCode() != wdrt::ErrRecordNotFound && NameProblem(name).empty()) {
        ExplainFileError(file, err);
        KIDLT.Close();
        return kExitFileTrouble;
      }
      err << "kidlt: " << Quoted(name) << " is not in the list.\n";
      result = kExitSomeRefused;
      continue;
    }
    if (!KIDLT.Delete()) {
      ExplainFileError(file, err);
      KIDLT.Close();
      return kExitFileTrouble;
    }
    out << "removed " << name << "\n";
  }
  KIDLT.Close();
  return result;
}

int RenameName(const std::string& file, const std::string& from, const std::string& to, std::ostream& out,
               std::ostream& err) {
  if (Trim(from) == Trim(to)) return kExitOk;
  const int added = AddNames(file, {to}, out, err);
  if (added != kExitOk) return added;
  return RemoveNames(file, {from}, out, err);
}

int RebuildKey(const std::string& file, std::ostream& out, std::ostream& err) {
  KIDLT.SetName(file);
  KIDLT.Send(kRecover);
  if (!KIDLT.Build()) {
    ExplainFileError(file, err);
    return kExitFileTrouble;
  }
  out << "rebuilt the key of " << file << "\n";
  return kExitOk;
}

}  // namespace kidlt
