// Numbered handles of the PDF libraries' documents: a handle is never 0 and never reused, so
// a stale or made-up handle finds nothing. Any thread; each entry is used by one at a time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace pdflibs {

template <typename T>
class HandleTable {
 public:
  std::int32_t Add(std::unique_ptr<T> item) {
    std::lock_guard lock(mutex_);
    if (next_ == INT32_MAX) return 0;
    const std::int32_t handle = next_++;
    items_[handle] = std::move(item);
    return handle;
  }
  T* Find(std::int32_t handle) {
    std::lock_guard lock(mutex_);
    auto it = items_.find(handle);
    return it == items_.end() ? nullptr : it->second.get();
  }
  bool Remove(std::int32_t handle) {
    std::unique_ptr<T> doomed;  // destroyed outside the lock
    std::lock_guard lock(mutex_);
    auto it = items_.find(handle);
    if (it == items_.end()) return false;
    doomed = std::move(it->second);
    items_.erase(it);
    return true;
  }

 private:
  std::mutex mutex_;
  std::int32_t next_ = 1;
  std::map<std::int32_t, std::unique_ptr<T>> items_;
};

}  // namespace pdflibs
