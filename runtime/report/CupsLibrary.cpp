#include "runtime/report/CupsLibrary.h"

#include "runtime/os/LoadOnUse.h"

namespace wdrt::report {

const CupsLibrary& Cups() {
  return LoadOnce<CupsLibrary>([](CupsLibrary& library) {
    void* handle = OpenForLife("libcups.so.2", library.error);
    if (!handle) return false;
    bool all = true;
#define WDRT_CUPS_LOOKUP(name) all = FindFunction(handle, #name, library.name) && all;
    WDRT_CUPS_FUNCTIONS(WDRT_CUPS_LOOKUP)
#undef WDRT_CUPS_LOOKUP
    if (!all) library.error = "libcups.so.2 lacks a function the suite uses";
    return all;
  });
}

}  // namespace wdrt::report
