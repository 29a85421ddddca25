#include "runtime/os/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace wdrt {
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> FindFileAnyCase(const std::string& name) {
  if (name.empty()) return std::nullopt;
  std::error_code ec;
  fs::path wanted(name);
  if (fs::exists(wanted, ec)) return wanted.string();
  // Walk the path part by part, matching each part without regard to case.
  fs::path current = wanted.is_absolute() ? wanted.root_path() : fs::path(".");
  for (const fs::path& part : wanted.relative_path()) {
    const std::string partName = part.string();
    if (partName == "." || partName == "..") {
      current /= part;
      continue;
    }
    fs::path exact = current / part;
    if (fs::exists(exact, ec)) {
      current = exact;
      continue;
    }
    bool found = false;
    for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameIgnoringCase(it->path().filename().string(), partName)) {
        current = it->path();
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  std::string result = current.string();
  if (result.rfind("./", 0) == 0 && !wanted.string().starts_with("./")) result = result.substr(2);
  return result;
}

namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : "/tmp";
}

std::string ConfigBase() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  return Home() + "/.config";
}

// The value of `key` in the desktop's user-dirs.dirs (`XDG_DOCUMENTS_DIR="$HOME/Documents"`),
// "$HOME" expanded; "" when it is not set there.
std::string UserDir(const std::string& key) {
  std::ifstream in(ConfigBase() + "/user-dirs.dirs");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key + "=", 0) != 0) continue;
    std::string value = line.substr(key.size() + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0) value = Home() + value.substr(5);
    return value.empty() || value[0] != '/' ? std::string() : value;
  }
  return {};
}

}  // namespace

std::string DocumentsFolder() {
  // As xdg-user-dir reads it; a folder set to the home folder itself is switched off.
  std::string folder = UserDir("XDG_DOCUMENTS_DIR");
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty() || folder == Home()) folder = Home() + "/Documents";
  return folder;
}

std::string ConfigFolder() {
  std::string folder = ConfigBase() + "/storyloom";
  std::error_code ec;
  fs::create_directories(folder, ec);
  return folder;
}

std::string DataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  return (xdg && *xdg == '/' ? std::string(xdg) : Home() + "/.local/share") + "/storyloom";
}

std::string ResolveConfigFile(const std::string& name) {
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return name;
  return ConfigFolder() + "/" + name;
}

std::string ProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

}  // namespace wdrt
