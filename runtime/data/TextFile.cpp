#include "runtime/data/TextFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "runtime/data/BinaryFile.h"
#include "runtime/data/ErrorState.h"

namespace wdrt {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

void ReportErrno() { SetFileError(std::to_string(errno), std::strerror(errno)); }

}  // namespace

bool TextFile::Open(int mode) {
  if (!OpenPlain(mode, true)) return false;
  Set();
  ClearError();
  return true;
}

std::string TextFile::Send(std::string_view option) {
  const auto eq = option.find('=');
  std::string name(option.substr(0, eq));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "ENDOFRECORD") {
    ClearError();
    if (eq != std::string_view::npos) {
      std::string value(option.substr(eq + 1));
      for (char& c : value) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      crlf_ = value == "CRLF" || value == "2,13,10";
    }
    return crlf_ ? "CRLF" : "LF";
  }
  return SendRecover(option);
}

bool TextFile::Set() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  readOffset_ = 0;
  readBuffer_.clear();
  readEnded_ = false;
  ClearError();
  return true;
}

bool TextFile::Next(std::string& line) {
  line.clear();
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  for (;;) {
    if (const auto nl = readBuffer_.find('\n'); nl != std::string::npos) {
      line = readBuffer_.substr(0, nl);
      readBuffer_.erase(0, nl + 1);
      break;
    }
    if (readEnded_) {
      if (readBuffer_.empty()) {
        SetError(ErrNoMoreRecords);
        return false;
      }
      line = std::move(readBuffer_);  // a last line without its end
      readBuffer_.clear();
      break;
    }
    // Read into the heap buffer: procedure threads may run on small stacks.
    const std::size_t kept = readBuffer_.size();
    readBuffer_.resize(kept + kReadChunk);
    const ssize_t n = ::pread(fd_, readBuffer_.data() + kept, kReadChunk, static_cast<off_t>(readOffset_));
    readBuffer_.resize(kept + static_cast<std::size_t>(n > 0 ? n : 0));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ReportErrno();
      return false;
    }
    if (n == 0) readEnded_ = true;
    readOffset_ += static_cast<std::uint64_t>(n);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ClearError();
  return true;
}

bool TextFile::Add(std::string_view line) {
  if (!CheckWritable()) return false;
  if (line.find_first_of("\r\n") != std::string_view::npos) {
    SetFileError("line", "a record may not hold a line end");
    return false;
  }
  // One write per line on a descriptor opened for appending, so that the lines of several
  // appenders never overwrite one another.
  std::string record(line);
  record += crlf_ ? "\r\n" : "\n";
  std::size_t done = 0;
  while (done < record.size()) {
    const ssize_t n = ::write(fd_, record.data() + done, record.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ReportErrno();
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  ClearError();
  return true;
}

std::int64_t TextFile::Bytes() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return -1;
  }
  struct stat st{};
  if (::fstat(fd_, &st) != 0) {
    ReportErrno();
    return -1;
  }
  ClearError();
  return static_cast<std::int64_t>(st.st_size);
}

bool TextFile::Flush() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  if (::fsync(fd_) != 0) {
    ReportErrno();
    return false;
  }
  ClearError();
  return true;
}

bool TextFile::Exists(const std::string& name) { return BinaryFile::Exists(name); }

bool TextFile::Remove(const std::string& name) { return RemovePlainFile(name); }

}  // namespace wdrt
