#include "runtime/os/SdlAudioLibrary.h"

#include "runtime/os/LoadOnUse.h"

namespace wdrt {

const SdlAudioLibrary& SdlAudio() {
  return LoadOnce<SdlAudioLibrary>([](SdlAudioLibrary& library) {
    void* handle = OpenForLife("libSDL2-2.0.so.0", library.error);
    if (!handle) return false;
    bool all = true;
#define WDRT_SDL_LOOKUP(name) all = FindFunction(handle, #name, library.name) && all;
    WDRT_SDL_FUNCTIONS(WDRT_SDL_LOOKUP)
#undef WDRT_SDL_LOOKUP
    if (!all) library.error = "libSDL2 lacks a function the suite uses";
    return all;
  });
}

}  // namespace wdrt
