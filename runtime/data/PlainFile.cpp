#include "runtime/data/PlainFile.h"

#include <unistd.h>

#include <chrono>

#include "runtime/data/BinaryFile.h"
#include "runtime/data/ErrorState.h"

namespace wdrt {

bool PlainFile::OpenPlain(int mode, bool append) {
  if (fd_ >= 0) {
    SetError(ErrAlreadyOpen);
    return false;
  }
  if (int err = OpenPlainFile(ResolveDataFile(name_), mode, false, std::chrono::seconds(recoverSeconds_), fd_, append)) {
    SetError(err);
    return false;
  }
  mode_ = mode;
  ClearError();
  return true;
}

bool PlainFile::Create() {
  if (fd_ >= 0) {
    SetError(ErrAlreadyOpen);
    return false;
  }
  if (int err = CreatePlainFile(name_, std::chrono::seconds(recoverSeconds_))) {
    SetError(err);
    return false;
  }
  ClearError();
  return true;
}

void PlainFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::string PlainFile::SendRecover(std::string_view option) {
  std::string reply;
  recoverSeconds_ = RecoverOption(option, recoverSeconds_, reply);
  return reply;
}

bool PlainFile::CheckWritable() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  if (!ModeWrites(mode_)) {
    SetError(ErrAccessDenied);
    return false;
  }
  return true;
}

}  // namespace wdrt
