#include "runtime/core/Runtime.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "runtime/core/Journal.h"
#include "runtime/core/Keys.h"
#include "runtime/core/Threads.h"
#include "runtime/core/ThreadsInternal.h"
#include "runtime/core/ViewPort.h"

namespace wdrt {
namespace {

struct Handler {
  int windowId;
  int event;
  const void* owner;
  std::function<void()> run;
};

struct Registry {
  std::mutex mutex;
  std::vector<Handler> handlers;
  int nextId = 1;
  std::vector<WindowPtr> all;                  // every window, in order of opening
  std::map<int, std::vector<WindowPtr>> stacks;  // open windows per thread, newest last
  std::function<std::string(int)> procedureName;
};

Registry& Windows() {
  static Registry* registry = new Registry;  // never destroyed: threads may outlive main()
  return *registry;
}

thread_local Event currentEvent;
thread_local int keyCode = 0;

void Notify(const WindowPtr& window, int control) {
  if (ViewPort* view = GetViewPort()) view->WindowChanged(window, control);
}

std::string ProcedureNameFor(int thread) {
  Registry& r = Windows();
  std::function<std::string(int)> source;
  {
    std::lock_guard lock(r.mutex);
    source = r.procedureName;
  }
  return source ? source(thread) : std::string();
}

void RunStandardAction(const WindowPtr& window, StdAction action) {
  switch (action) {
    case StdAction::None:
      return;
    case StdAction::CloseWindow:
      // As the window's close box does: the close request goes through the window's own event
      // loop, so that its procedure hears it (and may refuse it) before the window closes.
      PostToWindow(window, EventCloseWindow);
      return;
    default:
      if (ViewPort* view = GetViewPort()) view->RunStdAction(window, action);
      return;
  }
}

}  // namespace

// Controls without a size take the size of their text, measured in the window's fonts; without
// a view an average character of half the font's height serves.
WindowDef WithMeasuredSizes(const WindowDef& given) {
  WindowDef def = given;
  ViewPort* view = IsGuiThread() ? nullptr : GetViewPort();
  for (ControlDef& c : def.controls) {
    if ((c.pos.width != 0 && c.pos.height != 0) || c.text.empty()) continue;
    Geometry size;
    if (view) {
      size = view->MeasureText(c.font, def.font, c.text);
    } else {
      const int points = c.font.points > 0 ? c.font.points : (def.font.points > 0 ? def.font.points : 8);
      size = {0, 0, static_cast<int>(c.text.size()) * points / 3 + 2, points * 3 / 2};
    }
    if (c.pos.width == 0) c.pos.width = size.width;
    if (c.pos.height == 0) c.pos.height = size.height;
  }
  return def;
}

WindowPtr Open(const WindowDef& given) {
  const WindowDef def = WithMeasuredSizes(given);
  const int thread = Thread();
  Registry& r = Windows();
  WindowPtr window;
  WindowPtr covered;
  std::string procedure = ProcedureNameFor(thread);
  {
    std::lock_guard lock(r.mutex);
    window = std::make_shared<Window>(r.nextId++, thread, def);
    window->SetProcedure(procedure);
    if (def.maximized) window->SetWindowProp(PropMaximize, 1);
    auto& stack = r.stacks[thread];
    if (!stack.empty()) covered = stack.back();
    stack.push_back(window);
    r.all.push_back(window);
  }
  if (covered) {
    covered->SetCovered(true);
    Notify(covered, 0);
  }
  window->Post(Event{EventOpenWindow, 0}, true);
  JournalLine("open-window " + std::to_string(thread) + " " + JournalQuote(def.title) + " " +
              window->Procedure());
  if (ViewPort* view = GetViewPort()) view->WindowOpened(window);
  return window;
}

void Close(const WindowPtr& window) {
  if (!window || !window->IsOpen()) return;
  Registry& r = Windows();
  WindowPtr uncovered;
  {
    std::lock_guard lock(r.mutex);
    auto& stack = r.stacks[window->Thread()];
    stack.erase(std::remove(stack.begin(), stack.end(), window), stack.end());
    if (!stack.empty()) uncovered = stack.back();
  }
  // The earlier window takes input again before anyone can see this one closed.
  if (uncovered) {
    uncovered->SetCovered(false);
    Notify(uncovered, 0);
  }
  window->MarkClosed();
  JournalLine("close-window " + std::to_string(window->Thread()) + " " + JournalQuote(window->Title()));
  if (ViewPort* view = GetViewPort()) view->WindowClosed(window);
}

void CloseWindowsOfThread(int thread) {
  std::vector<WindowPtr> open;
  {
    Registry& r = Windows();
    std::lock_guard lock(r.mutex);
    open = r.stacks[thread];
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) Close(*it);
}

WindowPtr Target() {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  auto it = r.stacks.find(Thread());
  if (it == r.stacks.end() || it->second.empty()) return nullptr;
  return it->second.back();
}

std::vector<WindowPtr> OpenWindows() {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  std::vector<WindowPtr> open;
  for (const WindowPtr& w : r.all)
    if (w->IsOpen()) open.push_back(w);
  return open;
}

std::vector<WindowPtr> AllWindows() {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  return r.all;
}

WindowPtr FindWindow(int id) {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  for (const WindowPtr& w : r.all)
    if (w->Id() == id) return w;
  return nullptr;
}

bool Accept(const WindowPtr& window, Event& event) {
  if (!window) return false;
  const auto noDeadline = std::chrono::steady_clock::now() + std::chrono::hours(24 * 365);
  if (!window->Take(event, noDeadline)) return false;
  currentEvent = event;
  if (event.number == EventAlertKey) keyCode = event.key;
  std::vector<std::function<void()>> routed;
  {
    Registry& r = Windows();
    std::lock_guard lock(r.mutex);
    for (const Handler& h : r.handlers)
      if (h.windowId == window->Id() && h.event == event.number) routed.push_back(h.run);
  }
  for (auto& run : routed) run();
  JournalLine("event " + std::to_string(window->Thread()) + " " + JournalQuote(window->Title()) + " " +
              std::to_string(event.number) + " " + std::to_string(event.control));
  return true;
}

void DefaultHandling(const WindowPtr& window, const Event& event) {
  if (!window || !window->IsOpen()) return;
  switch (event.number) {
    case EventCloseWindow:
    case EventCloseDown:
      if (window->Def().kind == WindowKind::Frame) CloseDownOtherThreads();
      Close(window);
      return;
    case EventAccepted:
      if (event.control != 0) {
        if (auto c = window->Control(event.control)) RunStandardAction(window, c->def.action);
      }
      return;
    default:
      return;
  }
}

void Post(int event, int control, int thread) {
  const int target = thread == 0 ? Thread() : thread;
  WindowPtr window;
  {
    Registry& r = Windows();
    std::lock_guard lock(r.mutex);
    auto it = r.stacks.find(target);
    if (it != r.stacks.end() && !it->second.empty()) window = it->second.back();
  }
  if (window) window->Post(Event{event, control});
}

void PostToWindow(const WindowPtr& window, int event, int control) {
  if (window) window->Post(Event{event, control});
}

void PostInput(const WindowPtr& window, int event, int control) {
  if (!window || !window->IsOpen() || window->IsCovered()) return;
  window->Post(Event{event, control});
}

void Alert(const WindowPtr& window, int key) {
  if (window) window->ArmKey(key);
}

bool PostKey(const WindowPtr& window, int key) {
  if (!window || !window->IsOpen() || window->IsCovered() || !window->IsArmed(key)) return false;
  Event event{EventAlertKey, 0};
  event.key = key;
  window->Post(event);
  return true;
}

void AlertHeld(const WindowPtr& window, int key, int milliseconds) {
  if (window) window->ArmHeldKey(key, milliseconds);
}

bool PostHeldKey(const WindowPtr& window, int key) {
  if (!window || !window->IsOpen() || window->IsCovered() || window->HeldKeyTime(key) == 0) return false;
  Event event{EventAlertKey, 0};
  event.key = key;
  window->Post(event);
  JournalLine("held-key " + JournalQuote(window->Title()) + " " + KeyName(key));
  return true;
}

int Popup(const WindowPtr& window, const std::vector<PopupItem>& items) {
  ViewPort* view = GetViewPort();
  const int chosen = view && window ? view->ShowPopup(window, items) : 0;
  const bool valid = chosen >= 1 && chosen <= static_cast<int>(items.size());
  JournalLine("popup-menu -> " + (valid ? JournalQuote(items[static_cast<std::size_t>(chosen - 1)].text) : std::string("none")));
  return valid ? chosen : 0;
}

const Event& CurrentEvent() { return currentEvent; }
int KeyCode() { return keyCode; }
void SetKeyCode(int code) { keyCode = code; }

void Display(const WindowPtr& window, int control) {
  if (window) Notify(window, control);
}

void Select(const WindowPtr& window, int control) {
  if (!window) return;
  if (control == 0) {
    // Selecting every control validates them all and then completes the window.
    window->Post(Event{EventCompleted, 0});
    return;
  }
  if (ViewPort* view = GetViewPort()) view->SelectControl(window, control);
}

void Hide(const WindowPtr& window, int control) {
  if (window && window->Update(control, [](ControlState& c) { c.hidden = true; })) Notify(window, control);
}

void Unhide(const WindowPtr& window, int control) {
  if (window && window->Update(control, [](ControlState& c) { c.hidden = false; })) Notify(window, control);
}

void Enable(const WindowPtr& window, int control) {
  if (window && window->Update(control, [](ControlState& c) { c.disabled = false; })) Notify(window, control);
}

void Disable(const WindowPtr& window, int control) {
  if (window && window->Update(control, [](ControlState& c) { c.disabled = true; })) Notify(window, control);
}

Geometry GetPosition(const WindowPtr& window, int control) {
  if (!window) return {};
  if (control == 0) return window->ClientGeometry();
  auto c = window->Control(control);
  return c ? c->pos : Geometry{};
}

std::optional<Geometry> MousePosition(const WindowPtr& window) {
  ViewPort* view = GetViewPort();
  if (!window || !view) return std::nullopt;
  return view->MousePosition(window);
}

void SetPosition(const WindowPtr& window, int control, const Geometry& g) {
  if (!window) return;
  if (control == 0) {
    window->SetClientGeometry(g);
    Notify(window, 0);
    return;
  }
  if (!window->Update(control, [&](ControlState& c) { c.pos = g; })) return;
  if (window->WindowProp(PropDeferMoves) == 0) Notify(window, control);
}

std::string GetText(const WindowPtr& window, int control) {
  if (!window) return {};
  if (control == 0) return window->Title();
  auto c = window->Control(control);
  return c ? c->text : std::string();
}

void SetText(const WindowPtr& window, int control, const std::string& text) {
  if (!window) return;
  if (control == 0) {
    window->SetTitle(text);
    Notify(window, 0);
    return;
  }
  if (window->Update(control, [&](ControlState& c) { c.text = text; })) Notify(window, control);
}

std::string GetValue(const WindowPtr& window, int control) {
  if (!window) return {};
  auto c = window->Control(control);
  return c ? c->value : std::string();
}

void SetValue(const WindowPtr& window, int control, const std::string& value) {
  if (window && window->Update(control, [&](ControlState& c) { c.value = value; })) Notify(window, control);
}

void SetPicture(const WindowPtr& window, int control, const std::string& picture) {
  if (window && window->Update(control, [&](ControlState& c) { c.picture = picture; })) Notify(window, control);
}

long GetProp(const WindowPtr& window, int control, int prop) {
  if (!window) return 0;
  if (control == 0) {
    const Geometry g = window->ClientGeometry();
    switch (prop) {
      case PropXPos: return g.x;
      case PropYPos: return g.y;
      case PropWidth: return g.width;
      case PropHeight: return g.height;
      case PropTimer: return window->TimerInterval();
      case PropHandle: return window->Id();
      default: return window->WindowProp(prop);
    }
  }
  auto c = window->Control(control);
  if (!c) return 0;
  switch (prop) {
    case PropType: return c->def.type;
    case PropXPos: return c->pos.x;
    case PropYPos: return c->pos.y;
    case PropWidth: return c->pos.width;
    case PropHeight: return c->pos.height;
    case PropParent: return c->def.parent;
    default: {
      auto it = c->props.find(prop);
      return it == c->props.end() ? 0 : it->second;
    }
  }
}

void SetProp(const WindowPtr& window, int control, int prop, long value) {
  if (!window) return;
  if (control == 0) {
    Geometry g = window->ClientGeometry();
    switch (prop) {
      case PropXPos: g.x = static_cast<int>(value); SetPosition(window, 0, g); return;
      case PropYPos: g.y = static_cast<int>(value); SetPosition(window, 0, g); return;
      case PropWidth: g.width = static_cast<int>(value); SetPosition(window, 0, g); return;
      case PropHeight: g.height = static_cast<int>(value); SetPosition(window, 0, g); return;
      case PropTimer: window->SetTimerInterval(static_cast<int>(value)); return;
      case PropDeferMoves: {
        const long before = window->WindowProp(PropDeferMoves);
        window->SetWindowProp(prop, value);
        // Ending a deferral applies every pending move at once.
        if (before != 0 && value == 0) Notify(window, 0);
        return;
      }
      default:
        window->SetWindowProp(prop, value);
        if (prop == PropMinWidth || prop == PropMinHeight || prop == PropMaxWidth || prop == PropMaxHeight ||
            prop == PropShaping || prop == PropMaximize || prop == PropIconize)
          Notify(window, 0);
        return;
    }
  }
  Geometry g = GetPosition(window, control);
  switch (prop) {
    case PropXPos: g.x = static_cast<int>(value); SetPosition(window, control, g); return;
    case PropYPos: g.y = static_cast<int>(value); SetPosition(window, control, g); return;
    case PropWidth: g.width = static_cast<int>(value); SetPosition(window, control, g); return;
    case PropHeight: g.height = static_cast<int>(value); SetPosition(window, control, g); return;
    case PropType: return;  // read-only
    case PropReadWord: {
      long before = 0;
      window->Update(control, [&](ControlState& c) {
        before = c.props[prop];
        c.props[prop] = value;
      });
      if (before == value) return;
      JournalLine("highlight " + JournalQuote(window->Title()) + " " + std::to_string(control) + " " +
                  (value > 0                ? std::to_string(value - 1)
                   : value == kReadEveryWord ? std::string("all")
                                             : std::string("none")));
      Notify(window, control);
      return;
    }
    case PropDimmed:
    case PropAnswerReply: {
      // Properties the view shows: it hears of each change.
      long before = 0;
      window->Update(control, [&](ControlState& c) {
        before = c.props[prop];
        c.props[prop] = value;
      });
      if (before == value) return;
      // Journalled here, on the pressing thread, so that the line comes before whatever the
      // press does next (its spoken reply).
      if (prop == PropAnswerReply && value != 0)
        JournalLine("answer-reply " + std::to_string(control) + ((value & 1) != 0 ? " ring" : " shake"));
      Notify(window, control);
      return;
    }
    default:
      window->Update(control, [&](ControlState& c) { c.props[prop] = value; });
      return;
  }
}

bool CreateControl(const WindowPtr& window, int number, const ControlDef& def) {
  if (!window || !window->CreateControl(number, def)) return false;
  Notify(window, number);
  return true;
}

void SetTimer(const WindowPtr& window, int hundredths) {
  if (window) window->SetTimerInterval(hundredths);
}

void SetProcedureNameSource(std::function<std::string(int thread)> source) {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  r.procedureName = std::move(source);
}

void CloseDownOtherThreads() {
  const int me = Thread();
  for (const WindowPtr& w : OpenWindows())
    if (w->Thread() != me) w->Post(Event{EventCloseDown, 0});
  WaitForProcedureThreads(me, std::chrono::seconds(10));
}

void RegisterEventHandler(const WindowPtr& window, int event, const void* owner, std::function<void()> handler) {
  if (!window) return;
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  r.handlers.push_back(Handler{window->Id(), event, owner, std::move(handler)});
}

void UnregisterEventHandlers(const WindowPtr& window, const void* owner) {
  if (!window) return;
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  std::erase_if(r.handlers, [&](const Handler& h) { return h.windowId == window->Id() && h.owner == owner; });
}

int Focus(const WindowPtr& window) { return window ? static_cast<int>(window->WindowProp(PropFocus)) : 0; }
void SetFocus(const WindowPtr& window, int control) {
  if (window) window->SetWindowProp(PropFocus, control);
}

void ResetWindowsForTest() {
  Registry& r = Windows();
  std::lock_guard lock(r.mutex);
  r.all.clear();
  r.stacks.clear();
  r.handlers.clear();
}

}  // namespace wdrt
