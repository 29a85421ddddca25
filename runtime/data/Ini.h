// GETINI and PUTINI with the semantics of the Windows profile functions that programs rely
// on. A bare file name lives in the user's configuration folder. Any thread; writes to one
// file are serialised and replace the file atomically.
#pragma once

#include <string>

namespace wdrt {

std::string GetIni(const std::string& section, const std::string& key,
                   const std::string& defaultValue, const std::string& file);
// Returns false when the file could not be written (the old file is then unchanged).
bool PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file);

}  // namespace wdrt
