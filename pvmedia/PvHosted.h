// The library of hosted controls (libpvhosted.so, beside this library): loaded on the first
// need, it registers its components with the runtime's OLE control and tells their versions.
// Any thread.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// Loads the hosted controls once; false when the library is missing or failed to load.
bool LoadHostedControls();
// The version text of the component behind `progId`; empty when it is not there.
std::string HostedVersion(std::string_view progId);

}  // namespace pv
