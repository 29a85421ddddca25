#include "runtime/report/CupsLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace wdrt::report {

const CupsLibrary& Cups() {
  static CupsLibrary library;
  static std::once_flag once;
  std::call_once(once, [] {
    void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
      const char* why = dlerror();
      library.error = why ? why : "libcups.so.2 cannot be loaded";
      return;
    }
    bool all = true;
#define WDRT_CUPS_LOOKUP(name)                                                \
  library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name)); \
  all = all && library.name != nullptr;
    WDRT_CUPS_FUNCTIONS(WDRT_CUPS_LOOKUP)
#undef WDRT_CUPS_LOOKUP
    library.loaded = all;
    if (!all) library.error = "libcups.so.2 lacks a function the suite uses";
  });
  return library;
}

}  // namespace wdrt::report
