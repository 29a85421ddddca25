// The registry of the platform as a per-user store: a settings-format file "registry.ini" in
// the configuration folder, one section per key ("HKEY_CURRENT_USER\software\..."), names and
// key paths compared without regard to case. Any thread; writes are serialised.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pv {

// A root name, left-justified, trimmed and upper-cased, mapped to its predefined key name;
// empty for an unknown root.
std::string MapRootName(std::string_view rootName);

std::string RegistryFile();
bool RegKeyExists(const std::string& root, std::string_view keyPath);
bool RegCreateKey(const std::string& root, std::string_view keyPath);
std::optional<std::string> RegRead(const std::string& root, std::string_view keyPath, std::string_view valueName);
bool RegWrite(const std::string& root, std::string_view keyPath, std::string_view valueName, std::string_view value);

}  // namespace pv
