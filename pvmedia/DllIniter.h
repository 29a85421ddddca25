// pnDllIniter: the media library's start-and-stop object. The one global instance is built when
// the library loads (banner, PVINIT with "_unavailable_") and destroyed when it unloads
// (goodbye lines, PVDISPOSE). The loader's thread runs both.
#pragma once

#include <string_view>

class pnDllIniter {
 public:
  pnDllIniter();
  ~pnDllIniter();
  pnDllIniter(const pnDllIniter&) = delete;
  pnDllIniter& operator=(const pnDllIniter&) = delete;

  // Slot 0. Writes `text`, cut to 254 characters, to the debug output: always, unprefixed.
  virtual void DbgMsg(std::string_view text);
};
