#include "runtime/os/LoadOnUse.h"

namespace wdrt {

void* OpenForLife(const char* file, std::string& error) {
  void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!library) {
    const char* why = dlerror();
    error = why ? why : std::string(file) + " cannot be loaded";
  }
  return library;
}

}  // namespace wdrt
