// The text file driver: a file is lines, one record a line (text export, lists). Reading
// accepts "\n" and "\r\n" line ends; writing ends each line with "\n" unless "\r\n" is asked
// for. Operations set the calling thread's error state. One thread at a time uses a TextFile.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/data/PlainFile.h"

namespace wdrt {

class TextFile : public PlainFile {
 public:
  explicit TextFile(std::string name = "") : PlainFile(std::move(name)) {}

  bool Open(int mode = kModeDefault);  // 2, 5, 32, 52; lines are written at the end
  // SEND: "Recover=<seconds>"; "EndOfRecord=CRLF" or "EndOfRecord=LF" for lines written.
  std::string Send(std::string_view option);

  // SET: reading from the first line. NEXT: the next line without its end; 33 at the end.
  bool Set();
  bool Next(std::string& line);
  // ADD: appends `line` and a line end; a line may not itself hold a line end.
  bool Add(std::string_view line);
  std::int64_t Bytes();
  bool Flush();

  static bool Exists(const std::string& name);
  static bool Remove(const std::string& name);

 private:
  bool crlf_ = false;
  std::uint64_t readOffset_ = 0;
  std::string readBuffer_;
  bool readEnded_ = false;
};

}  // namespace wdrt
