#include "runtime/os/SdlAudioLibrary.h"

#include <mutex>

#include "runtime/os/LoadOnUse.h"

namespace wdrt {

const SdlAudioLibrary& SdlAudio() {
  static SdlAudioLibrary library;
  static std::once_flag once;
  std::call_once(once, [] {
    void* handle = OpenForLife("libSDL2-2.0.so.0", library.error);
    if (!handle) return;
    bool all = true;
#define WDRT_SDL_LOOKUP(name) all = FindFunction(handle, #name, library.name) && all;
    WDRT_SDL_FUNCTIONS(WDRT_SDL_LOOKUP)
#undef WDRT_SDL_LOOKUP
    library.loaded = all;
    if (!all) library.error = "libSDL2 lacks a function the suite uses";
  });
  return library;
}

}  // namespace wdrt
