// Test seams of PvMaster's utilities: the colour chooser and the os-release file.
// Set them before the objects are used; any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pv {

// Replaces the colour dialog: returns the chosen platform colour (0x00BBGGRR) or nothing.
void SetColorChooser(std::function<std::optional<std::uint32_t>()> chooser);
// The file GetOSVersion reads (default /etc/os-release, then /usr/lib/os-release).
void SetOsReleaseFile(std::string file);

}  // namespace pv
