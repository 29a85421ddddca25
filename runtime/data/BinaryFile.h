// The binary file driver: a file is raw bytes, read and written at byte positions (page
// metafiles, chunked storage). Operations set the calling thread's error state and return
// true on success. One thread at a time uses a BinaryFile object.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/PlainFile.h"

namespace wdrt {

class BinaryFile : public PlainFile {
 public:
  explicit BinaryFile(std::string name = "") : PlainFile(std::move(name)) {}

  // OPEN: 2, 5, 32 (held by a conflicting opener), 52 (already open).
  bool Open(int mode = kModeDefault) { return OpenPlain(mode, false); }
  // SEND "Recover=<seconds>": how long OPEN and CREATE wait for a conflicting opener.
  std::string Send(std::string_view option) { return SendRecover(option); }

  // GET: up to `length` bytes from byte `offset` (fewer at the end); 33 at or past the end.
  bool Get(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out);
  // PUT: writes at `offset`, growing the file as needed. ADD: appends.
  bool Put(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  bool Add(std::span<const std::uint8_t> bytes);
  bool Add(std::string_view bytes) {
    return Add(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  }
  // BYTES: the file's size, or -1 on error.
  std::int64_t Bytes();
  // Makes everything written so far durable.
  bool Flush();

  static bool Exists(const std::string& name);
  // REMOVE: 32 while anybody holds the file open.
  static bool Remove(const std::string& name);
};

// Shared by the binary and text drivers.
bool RemovePlainFile(const std::string& name);
int RecoverOption(std::string_view option, int current, std::string& reply);

}  // namespace wdrt
