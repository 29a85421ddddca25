#include "runtime/data/BinaryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "runtime/data/ErrorState.h"

namespace wdrt {

int RecoverOption(std::string_view option, int current, std::string& reply) {
  const auto eq = option.find('=');
  std::string name(option.substr(0, eq));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ClearError();
  if (name != "RECOVER") {
    reply.clear();
    return current;
  }
  if (eq != std::string_view::npos) {
    const std::string value(option.substr(eq + 1));
    current = static_cast<int>(std::clamp(std::strtol(value.c_str(), nullptr, 10), 0L, 3600L));
  }
  reply = std::to_string(current);
  return current;
}

bool RemovePlainFile(const std::string& name) {
  const std::string path = ResolveDataFile(name);
  int fd = -1;
  if (int err = OpenPlainFile(path, AccessRead | ShareDenyAll, false, std::chrono::milliseconds(0), fd)) {
    SetError(err);
    return false;
  }
  const bool removed = ::unlink(path.c_str()) == 0;
  const int err = errno;
  ::close(fd);
  if (!removed) {
    SetError(ErrorFromErrno(err));
    return false;
  }
  ClearError();
  return true;
}

bool BinaryFile::Get(std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& out) {
  out.clear();
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  if ((mode_ & 0x0F) == AccessWrite) {
    SetError(ErrAccessDenied);
    return false;
  }
  out.resize(length);
  std::size_t got = 0;
  while (got < length) {
    const ssize_t n = ::pread(fd_, out.data() + got, length - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetFileError(std::to_string(errno), std::strerror(errno));
      out.clear();
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  out.resize(got);
  if (got == 0 && length > 0) {
    SetError(ErrNoMoreRecords);
    return false;
  }
  ClearError();
  return true;
}

namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, std::uint64_t offset, bool append) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = append ? ::write(fd, data + done, size - done)
                             : ::pwrite(fd, data + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetFileError(std::to_string(errno), std::strerror(errno));
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  ClearError();
  return true;
}

}  // namespace

bool BinaryFile::Put(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  return CheckWritable() && WriteAll(fd_, bytes.data(), bytes.size(), offset, false);
}

bool BinaryFile::Add(std::span<const std::uint8_t> bytes) {
  if (!CheckWritable()) return false;
  if (::lseek(fd_, 0, SEEK_END) < 0) {
    SetFileError(std::to_string(errno), std::strerror(errno));
    return false;
  }
  return WriteAll(fd_, bytes.data(), bytes.size(), 0, true);
}

std::int64_t BinaryFile::Bytes() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return -1;
  }
  struct stat st{};
  if (::fstat(fd_, &st) != 0) {
    SetFileError(std::to_string(errno), std::strerror(errno));
    return -1;
  }
  ClearError();
  return static_cast<std::int64_t>(st.st_size);
}

bool BinaryFile::Flush() {
  if (fd_ < 0) {
    SetError(ErrNotOpen);
    return false;
  }
  if (::fsync(fd_) != 0) {
    SetFileError(std::to_string(errno), std::strerror(errno));
    return false;
  }
  ClearError();
  return true;
}

bool BinaryFile::Exists(const std::string& name) {
  struct stat st{};
  return ::stat(ResolveDataFile(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool BinaryFile::Remove(const std::string& name) { return RemovePlainFile(name); }

}  // namespace wdrt
