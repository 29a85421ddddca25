// What the binary and text drivers share: a file by name, its descriptor and open mode, and
// OPEN, CREATE, CLOSE and the Recover wait. Errors go to the calling thread's error state.
// One thread at a time uses a file object.
#pragma once

#include <string>
#include <string_view>

#include "runtime/data/FileDriver.h"

namespace wdrt {

class PlainFile {
 public:
  explicit PlainFile(std::string name) : name_(std::move(name)) {}
  ~PlainFile() { Close(); }
  PlainFile(const PlainFile&) = delete;
  PlainFile& operator=(const PlainFile&) = delete;

  std::string Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // CREATE: an empty file (an existing one is emptied if nobody holds it). Leaves it closed.
  bool Create();
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 protected:
  // OPEN: 2, 5, 32 (held by a conflicting opener), 52 (already open). With `append` every
  // write goes to the end.
  bool OpenPlain(int mode, bool append);
  // SEND "Recover=<seconds>": how long OPEN and CREATE wait for a conflicting opener.
  std::string SendRecover(std::string_view option);
  // The file is open and its mode allows writing; else 37 or 5.
  bool CheckWritable();

  std::string name_;
  int fd_ = -1;
  int mode_ = 0;
  int recoverSeconds_ = 0;
};

}  // namespace wdrt
