#include "runtime/core/Window.h"

#include <algorithm>
#include <atomic>
#include <cctype>

namespace wdrt {
namespace {

std::atomic<long> nextSequence{1};

std::string Normalised(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

void AddControl(std::vector<ControlState>& controls, const ControlDef& def, int number,
                bool inToolbar, bool inMenu) {
  ControlState c;
  c.number = number;
  c.def = def;
  c.pos = def.pos;
  c.text = def.text;
  c.picture = def.picture;
  c.hidden = def.hidden;
  c.inToolbar = inToolbar;
  c.inMenu = inMenu;
  c.props[PropType] = def.type;
  controls.push_back(std::move(c));
}

}  // namespace

Window::Window(int id, int thread, const WindowDef& def)
    : id_(id), thread_(thread), def_(def), sequence_(nextSequence.fetch_add(1)), title_(def.title) {
  client_ = Geometry{def.size.x, def.size.y, def.size.width, def.size.height};
  int number = 0;
  for (const ControlDef& c : def.controls) {
    ++number;
    AddControl(controls_, c, c.number != 0 ? c.number : number, false, false);
  }
  int toolbarNumber = -1000;
  for (const ControlDef& c : def.toolbar) AddControl(controls_, c, c.number != 0 ? c.number : toolbarNumber--, true, false);
  int menuNumber = -2000;
  for (const ControlDef& menu : def.menu) {
    AddControl(controls_, menu, menu.number != 0 ? menu.number : menuNumber--, false, true);
    for (const ControlDef& item : menu.items)
      AddControl(controls_, item, item.number != 0 ? item.number : menuNumber--, false, true);
  }
}

bool Window::CreateControl(int number, const ControlDef& def) {
  std::lock_guard lock(mutex_);
  if (number == 0 || FindLocked(number)) return false;
  AddControl(controls_, def, number, false, false);
  return true;
}

std::string Window::Title() const {
  std::lock_guard lock(mutex_);
  return title_;
}

void Window::SetTitle(const std::string& title) {
  std::lock_guard lock(mutex_);
  title_ = title;
}

std::string Window::Procedure() const {
  std::lock_guard lock(mutex_);
  return procedure_;
}

void Window::SetProcedure(const std::string& name) {
  std::lock_guard lock(mutex_);
  procedure_ = name.empty() ? "-" : name;
}

bool Window::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool Window::IsCovered() const {
  std::lock_guard lock(mutex_);
  return covered_;
}

void Window::SetCovered(bool covered) {
  std::lock_guard lock(mutex_);
  covered_ = covered;
}

void Window::MarkClosed() {
  {
    std::lock_guard lock(mutex_);
    open_ = false;
    queue_.clear();
  }
  queueChanged_.notify_all();
}

Geometry Window::ClientGeometry() const {
  std::lock_guard lock(mutex_);
  return client_;
}

void Window::SetClientGeometry(const Geometry& g) {
  std::lock_guard lock(mutex_);
  client_ = g;
}

std::vector<ControlState> Window::Controls() const {
  std::lock_guard lock(mutex_);
  return controls_;
}

std::optional<ControlState> Window::Control(int number) const {
  std::lock_guard lock(mutex_);
  for (const ControlState& c : controls_)
    if (c.number == number) return c;
  return std::nullopt;
}

bool Window::HasControl(int number) const { return Control(number).has_value(); }

int Window::FindByUse(const std::string& use) const {
  std::lock_guard lock(mutex_);
  const std::string wanted = Normalised(use);
  for (const ControlState& c : controls_)
    if (!c.def.use.empty() && Normalised(c.def.use) == wanted) return c.number;
  return 0;
}

int Window::FindByText(const std::string& text) const {
  std::lock_guard lock(mutex_);
  const std::string wanted = Normalised(text);
  // Controls of the window first, then toolbar and menu, so that page texts win.
  for (int pass = 0; pass < 2; ++pass) {
    for (const ControlState& c : controls_) {
      const bool outer = c.inToolbar || c.inMenu;
      if ((pass == 0) == outer) continue;
      if (Normalised(c.text) == wanted) return c.number;
    }
  }
  return 0;
}

ControlState* Window::FindLocked(int number) {
  for (ControlState& c : controls_)
    if (c.number == number) return &c;
  return nullptr;
}

long Window::WindowProp(int prop) const {
  std::lock_guard lock(mutex_);
  auto it = windowProps_.find(prop);
  return it == windowProps_.end() ? 0 : it->second;
}

void Window::SetWindowProp(int prop, long value) {
  std::lock_guard lock(mutex_);
  windowProps_[prop] = value;
}

void Window::Post(const Event& event, bool front) {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return;
    if (front)
      queue_.push_front(event);
    else
      queue_.push_back(event);
  }
  queueChanged_.notify_all();
}

bool Window::Take(Event& event, std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!open_) return false;
    if (!queue_.empty()) {
      event = queue_.front();
      queue_.pop_front();
      return true;
    }
    auto now = std::chrono::steady_clock::now();
    if (timerHundredths_ > 0 && now >= nextTimer_) {
      nextTimer_ = now + std::chrono::milliseconds(timerHundredths_ * 10);
      event = Event{EventTimer, 0};
      return true;
    }
    auto until = deadline;
    if (timerHundredths_ > 0) until = std::min(until, nextTimer_);
    if (queueChanged_.wait_until(lock, until) == std::cv_status::timeout && until == deadline &&
        std::chrono::steady_clock::now() >= deadline)
      return false;
  }
}

bool Window::HasPending() const {
  std::lock_guard lock(mutex_);
  return !queue_.empty();
}

void Window::Wake() { queueChanged_.notify_all(); }

void Window::SetTimerInterval(int hundredths) {
  std::lock_guard lock(mutex_);
  timerHundredths_ = std::max(0, hundredths);
  nextTimer_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timerHundredths_ * 10);
}

int Window::TimerInterval() const {
  std::lock_guard lock(mutex_);
  return timerHundredths_;
}

}  // namespace wdrt

namespace wdrt {

void Window::ArmKey(int key) {
  std::lock_guard lock(mutex_);
  alertKeys_.insert(key);
}

bool Window::IsArmed(int key) const {
  std::lock_guard lock(mutex_);
  return alertKeys_.count(key) != 0;
}

void Window::ArmHeldKey(int key, int milliseconds) {
  std::lock_guard lock(mutex_);
  if (milliseconds > 0) heldKeys_[key] = milliseconds;
  else heldKeys_.erase(key);
}

int Window::HeldKeyTime(int key) const {
  std::lock_guard lock(mutex_);
  auto it = heldKeys_.find(key);
  return it == heldKeys_.end() ? 0 : it->second;
}

}  // namespace wdrt
