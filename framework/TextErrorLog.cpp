#include "framework/ErrorLog.h"

#include "framework/Levels.h"

namespace {
constexpr std::size_t kMaxLineBytes = 1024;
}

TextErrorLog::TextErrorLog(std::string fileName) : fileName_(std::move(fileName)) {}

TextErrorLog::~TextErrorLog() { Kill(); }

int TextErrorLog::Open(bool force) {
  if (usage_ == 0 || force) {
    if (file_ == nullptr) {
      // Append mode creates the file when missing and keeps what others wrote.
      file_ = std::fopen(fileName_.c_str(), "a+");
      if (file_ == nullptr) return LevelNotice;
    }
  }
  ++usage_;
  return LevelOk;
}

int TextErrorLog::Close(bool force) {
  int level = LevelOk;
  if (usage_ == 1 || force) {
    if (file_ != nullptr && std::fclose(file_) != 0) level = LevelNotice;
    file_ = nullptr;
    usage_ = 1;
  }
  if (usage_ > 0) --usage_;
  return level;
}

int TextErrorLog::Write(const std::string& text) {
  if (usage_ <= 0 || file_ == nullptr) return LevelNotice;
  std::string line = text.substr(0, kMaxLineBytes);
  line += '\n';
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) return LevelNotice;
  return std::fflush(file_) == 0 ? LevelOk : LevelNotice;
}

void TextErrorLog::Kill() {
  if (file_ != nullptr || usage_ > 0) Close(true);
}
