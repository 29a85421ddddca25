// Shared libraries opened when first needed rather than at start: each one that a program
// links is loaded, with everything it needs, before the program's first window, whether the
// program ever uses it or not. The callers keep a table of the functions they call.
#pragma once

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace wdrt {

// Opens `file` (a soname) for the rest of the process; null, with `error` set, when it cannot.
void* OpenForLife(const char* file, std::string& error);

// Sets `function` to the function `name` of `library`; false when there is none.
template <typename Function>
bool FindFunction(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// The table of a library, filled once for the process: `fill(table)` opens what it needs and
// looks its functions up, returning whether it found them all; `table.loaded` keeps the answer.
template <typename Table, typename Fill>
const Table& LoadOnce(Fill fill) {
  static Table table;
  static std::once_flag once;
  std::call_once(once, [&] { table.loaded = fill(table); });
  return table;
}

}  // namespace wdrt
