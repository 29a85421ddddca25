// The error manager's log: the interface any log offers, and TextErrorLog, which appends
// lines to "KITError.Log" in the current folder. A log is used under its manager's lock.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class ErrorLogInterface {
 public:
  virtual ~ErrorLogInterface() = default;
  // Slot order. Each returns LevelOk, or LevelNotice when it failed.
  virtual int Close(bool force) = 0;
  virtual int Open(bool force) = 0;
  virtual int Write(const std::string& text) = 0;
};

class TextErrorLog : public ErrorLogInterface {
 public:
  // The file is named relative to the current folder when it is opened.
  explicit TextErrorLog(std::string fileName = "KITError.Log");
  ~TextErrorLog() override;

  int Close(bool force) override;
  int Open(bool force) override;
  int Write(const std::string& text) override;

  // Ends the log: closes the file whatever the usage count.
  void Kill();

  std::int32_t UsageCount() const { return usage_; }

 private:
  std::string fileName_;
  std::FILE* file_ = nullptr;
  std::int32_t usage_ = 0;
};
