#include "runtime/report/CupsLibrary.h"

#include <mutex>

#include "runtime/os/LoadOnUse.h"

namespace wdrt::report {

const CupsLibrary& Cups() {
  static CupsLibrary library;
  static std::once_flag once;
  std::call_once(once, [] {
    void* handle = OpenForLife("libcups.so.2", library.error);
    if (!handle) return;
    bool all = true;
#define WDRT_CUPS_LOOKUP(name) all = FindFunction(handle, #name, library.name) && all;
    WDRT_CUPS_FUNCTIONS(WDRT_CUPS_LOOKUP)
#undef WDRT_CUPS_LOOKUP
    library.loaded = all;
    if (!all) library.error = "libcups.so.2 lacks a function the suite uses";
  });
  return library;
}

}  // namespace wdrt::report
