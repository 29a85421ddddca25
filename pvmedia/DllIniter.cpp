#include "pvmedia/DllIniter.h"

#include <string>

#include "pvmedia/PvLifecycle.h"
#include "pvmedia/PvText.h"
#include "runtime/os/DebugOutput.h"

namespace {

constexpr std::size_t kMessageBuffer = 255;
constexpr std::size_t kBannerBuffer = 100;

void Banner(pnDllIniter& initer, std::string_view text) {
  initer.DbgMsg(pv::TrimRight(pv::CutToBuffer(std::string(text), kBannerBuffer)));
}

}  // namespace

pnDllIniter::pnDllIniter() {
  Banner(*this, "*****************************************\r\n");
  Banner(*this, "[Panoview] Quenby Panoview DLL\r\n");
  Banner(*this, "[Panoview] Calling pvInit\r\n");
  PVINIT("_unavailable_");
}

pnDllIniter::~pnDllIniter() {
  Banner(*this, "[Panoview] Quenby Panoview DLL - Goodbye...\r\n");
  Banner(*this, "[Panoview] pvDispose() called\r\n");
  PVDISPOSE();
}

void pnDllIniter::DbgMsg(std::string_view text) {
  try {
    wdrt::OutputDebugStringA(pv::CutToBuffer(std::string(text), kMessageBuffer).c_str());
  } catch (...) {
  }
}

// Built at load, destroyed at unload.
pnDllIniter gDllIniter;
