// A VIEW over a keyed file: its records in the order of one key, optionally only those a
// filter accepts, read into the file's record buffer. Same thread rules as the file.
#pragma once

#include <functional>
#include <string>

#include "runtime/data/KeyedFile.h"

namespace wdrt {

class KeyedView {
 public:
  KeyedView(KeyedFile& file, std::string key) : file_(file), key_(std::move(key)) {}

  // Only records for which `filter` is true are read; null reads them all.
  void SetFilter(std::function<bool(const RecordBuffer&)> filter) { filter_ = std::move(filter); }

  // OPEN: 37 when the file is not open, 90 when the key is unknown.
  bool Open();
  // NEXT and PREVIOUS in key order; 33 past the end.
  bool Next();
  bool Previous();
  void Close() { open_ = false; }

 private:
  bool Step(bool forward);

  KeyedFile& file_;
  std::string key_;
  std::function<bool(const RecordBuffer&)> filter_;
  bool open_ = false;
};

}  // namespace wdrt
