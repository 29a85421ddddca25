// Interface of the window parts that a WindowController drives (resizer, toolbar relay, list
// boxes). Called on the thread that owns the window.
#pragma once

#include <cstdint>

class WindowComponent {
 public:
  virtual ~WindowComponent() = default;
  // Slot order.
  virtual void Kill() = 0;
  virtual void Reset(std::uint8_t force) = 0;
  virtual std::uint8_t NeedsReset() = 0;
  virtual void ArmAlertKeys() = 0;
  virtual int OnEvent() = 0;
  virtual void Update() = 0;
  virtual void Redisplay() = 0;
};
