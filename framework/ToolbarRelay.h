// The toolbar relay: hands the frame's navigation requests to the window part that wants the
// toolbar. Lives with its window's controller, on that window's thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A part of a window that can take toolbar requests.
class ToolbarTarget {
 public:
  virtual ~ToolbarTarget() = default;
  virtual void Activate() = 0;
  virtual bool WantsToolbar() = 0;
  virtual void TakeRequest(std::int32_t request) = 0;
};

class ToolbarRelay {
 public:
  struct Row {
    std::int32_t control = 0;
    ToolbarTarget* target = nullptr;
  };

  std::unique_ptr<std::vector<Row>> LIST;

  void Init();  // creates the target list empty
  void Kill();  // disposes of it
  void AddTarget(std::int32_t control, ToolbarTarget* target);
  // Control number: make that row current and activate it; 0: the last target that wants it.
  void SetTarget(std::int32_t control);
  void TakeRequest(std::int32_t request);
  bool IsActive() const { return LIST != nullptr; }

 private:
  ToolbarTarget* current_ = nullptr;
};
