#include "runtime/os/VoiceLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace wdrt::voice {
namespace {

// The folder this runtime was loaded from: the library stands beside it.
std::string OwnFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Load), &info) == 0 || !info.dli_fname) return ".";
  const std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

const Library& Load() {
  static Library library;
  static std::once_flag once;
  std::call_once(once, [] {
    const std::string file = OwnFolder() + "/libwdrt_voice.so";
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
      const char* why = dlerror();
      library.error = "the recording library cannot be loaded: " + std::string(why ? why : file);
      return;
    }
    library.capture = reinterpret_cast<CaptureLoop>(dlsym(handle, "wdrt_voice_capture"));
    library.align = reinterpret_cast<Aligner>(dlsym(handle, "wdrt_voice_align"));
    if (!library.capture || !library.align) {
      library.capture = nullptr;
      library.align = nullptr;
      library.error = "the recording library lacks its entry points";
    }
  });
  return library;
}

}  // namespace wdrt::voice
