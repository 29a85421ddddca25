// SDL's audio, loaded when the first sound is played: SDL brings the desktop's sound servers
// and window systems with it, which a program that plays nothing need not load at start.
// Types and constants from SDL's headers; the calls go through the pointers here. Any thread.
#pragma once

#include <SDL.h>

#include <string>

namespace wdrt {

#define WDRT_SDL_FUNCTIONS(X) \
  X(SDL_InitSubSystem)        \
  X(SDL_QuitSubSystem)        \
  X(SDL_OpenAudioDevice)      \
  X(SDL_PauseAudioDevice)     \
  X(SDL_SetHintWithPriority)  \
  X(SDL_GetCurrentAudioDriver)

struct SdlAudioLibrary {
#define WDRT_SDL_POINTER(name) decltype(&::name) name = nullptr;
  WDRT_SDL_FUNCTIONS(WDRT_SDL_POINTER)
#undef WDRT_SDL_POINTER
  bool loaded = false;  // every pointer above is set
  std::string error;
};

// The library, loaded on the first call.
const SdlAudioLibrary& SdlAudio();

}  // namespace wdrt
