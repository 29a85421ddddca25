#include "runtime/report/PreviewQueue.h"

#include <unistd.h>

namespace wdrt::report {

PreviewQueue::PreviewQueue(const PreviewQueue& other) {
  std::lock_guard lock(other.mutex_);
  records_ = other.records_;
}

PreviewQueue& PreviewQueue::operator=(const PreviewQueue& other) {
  if (this == &other) return *this;
  std::vector<PreviewQueueRecord> copy;
  {
    std::lock_guard lock(other.mutex_);
    copy = other.records_;
  }
  std::lock_guard lock(mutex_);
  records_ = std::move(copy);
  return *this;
}

bool PreviewQueue::Add(const std::string& fileName) {
  if (fileName.empty() || fileName.size() > kPreviewImageSize) return false;
  std::lock_guard lock(mutex_);
  records_.push_back({fileName});
  return true;
}

std::optional<std::string> PreviewQueue::Get(std::size_t position) const {
  std::lock_guard lock(mutex_);
  if (position < 1 || position > records_.size()) return std::nullopt;
  return records_[position - 1].PRINTPREVIEWIMAGE;
}

bool PreviewQueue::Put(std::size_t position, const std::string& fileName) {
  if (fileName.size() > kPreviewImageSize) return false;
  std::lock_guard lock(mutex_);
  if (position < 1 || position > records_.size()) return false;
  records_[position - 1].PRINTPREVIEWIMAGE = fileName;
  return true;
}

bool PreviewQueue::Delete(std::size_t position) {
  std::lock_guard lock(mutex_);
  if (position < 1 || position > records_.size()) return false;
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(position - 1));
  return true;
}

void PreviewQueue::Free() {
  std::lock_guard lock(mutex_);
  records_.clear();
}

std::size_t PreviewQueue::Records() const {
  std::lock_guard lock(mutex_);
  return records_.size();
}

std::vector<std::string> PreviewQueue::Names() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> names;
  names.reserve(records_.size());
  for (const auto& r : records_) names.push_back(r.PRINTPREVIEWIMAGE);
  return names;
}

void DeletePageFiles(PreviewQueue& queue) {
  for (const std::string& name : queue.Names()) ::unlink(name.c_str());
  queue.Free();
}

}  // namespace wdrt::report
