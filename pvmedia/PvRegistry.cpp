#include "pvmedia/PvRegistry.h"

#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "pvmedia/PvText.h"
#include "runtime/data/IniFile.h"
#include "runtime/os/Paths.h"

namespace pv {
namespace {

std::mutex registryMutex;

std::string Section(const std::string& root, std::string_view keyPath) {
  std::string path(Trim(keyPath));
  while (!path.empty() && path.front() == '\\') path.erase(path.begin());
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return root + "\\" + path;
}

std::string ReadAll() {
  std::ifstream in(RegistryFile(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteAll(const std::string& text) {
  const std::string file = RegistryFile();
  const std::string temporary = file + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    if (!out.flush()) return false;
  }
  return std::rename(temporary.c_str(), file.c_str()) == 0;
}

bool HasSection(const std::string& text, const std::string& section) {
  std::istringstream lines(text);
  std::string line;
  const std::string wanted = Lower(section);
  while (std::getline(lines, line)) {
    std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.back() == '\r') trimmed.remove_suffix(1);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
        Lower(Trim(trimmed.substr(1, trimmed.size() - 2))) == wanted)
      return true;
  }
  return false;
}

}  // namespace

std::string MapRootName(std::string_view rootName) {
  const std::string name = Upper(Trim(rootName));
  if (name == "HKEY_CLASSES_ROOT" || name == "HKEY_CURRENT_USER" || name == "HKEY_LOCAL_MACHINE" ||
      name == "HKEY_USERS")
    return name;
  return {};
}

std::string RegistryFile() { return wdrt::ConfigFolder() + "/registry.ini"; }

bool RegKeyExists(const std::string& root, std::string_view keyPath) {
  if (root.empty()) return false;
  std::lock_guard lock(registryMutex);
  return HasSection(ReadAll(), Section(root, keyPath));
}

bool RegCreateKey(const std::string& root, std::string_view keyPath) {
  if (root.empty() || Trim(keyPath).empty()) return false;
  std::lock_guard lock(registryMutex);
  std::string text = ReadAll();
  const std::string section = Section(root, keyPath);
  if (HasSection(text, section)) return true;
  if (section.find(']') != std::string::npos || section.find('\n') != std::string::npos) return false;
  if (!text.empty() && text.back() != '\n') text += '\n';
  text += "[" + section + "]\n";
  return WriteAll(text);
}

std::optional<std::string> RegRead(const std::string& root, std::string_view keyPath, std::string_view valueName) {
  if (root.empty()) return std::nullopt;
  std::lock_guard lock(registryMutex);
  return wdrt::IniDocument::Parse(ReadAll()).Get(Section(root, keyPath), Trim(valueName));
}

bool RegWrite(const std::string& root, std::string_view keyPath, std::string_view valueName, std::string_view value) {
  if (root.empty()) return false;
  std::lock_guard lock(registryMutex);
  wdrt::IniDocument document = wdrt::IniDocument::Parse(ReadAll());
  if (!document.Set(Section(root, keyPath), Trim(valueName), value)) return false;
  return WriteAll(document.Serialize());
}

}  // namespace pv
