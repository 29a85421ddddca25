#include "framework/CheckOpen.h"

#include "framework/StandardWarning.h"
#include "runtime/data/ErrorState.h"
#include "runtime/os/Process.h"

void CheckOpen(wdrt::KeyedFile& file, std::uint8_t create, std::uint8_t noCreate, std::uint8_t openMode,
               std::uint8_t shareOpen) {
  const int mode = shareOpen != 0 ? static_cast<int>(wdrt::kModeSharedReadWrite) : static_cast<int>(openMode);
  file.Open(mode);
  if (wdrt::ErrorCode() == wdrt::ErrLocked) {
    // Another opener holds the file: wait up to ten seconds for it to let go.
    file.Send("Recover=10");
    file.Open(mode);
  }
  switch (wdrt::ErrorCode()) {
    case wdrt::ErrNone:
    case wdrt::ErrAlreadyOpen:
      return;
    case wdrt::ErrNotFound:
      if (noCreate != 0) break;
      if (create != 1) {
        StandardWarning(WarnCreateError, file.Name());
        break;
      }
      if (!file.Create()) StandardWarning(WarnCreateError, file.Name());
      if (!file.Open(mode)) StandardWarning(WarnCreateOpenError, file.Name());
      return;
    case wdrt::ErrKeyFileInvalid:
      if (StandardWarning(WarnInvalidKey, file.Name()) != 0) {
        if (!file.Build()) StandardWarning(WarnRebuildError, file.Name());
        else file.Open(mode);
      }
      break;
    case wdrt::ErrInvalidFile:
      StandardWarning(WarnInvalidFile, file.Name());
      break;
    default:
      break;
  }
  if (wdrt::ErrorCode() != wdrt::ErrNone && wdrt::ErrorCode() != wdrt::ErrAlreadyOpen) {
    if (StandardWarning(WarnFileAccess, file.Name()) != 0) wdrt::Halt(kWarningHaltCode, "Disk Error");
  }
}
