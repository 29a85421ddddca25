// The procedures' window operations: OPEN, CLOSE, ACCEPT, POST, DISPLAY, SELECT, HIDE,
// UNHIDE, ENABLE, DISABLE, GETPOSITION, SETPOSITION, properties and timers.
// Called from procedure threads; a window is driven only by the thread that opened it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/core/Events.h"
#include "runtime/core/ViewPort.h"
#include "runtime/core/Window.h"
#include "runtime/core/WindowDef.h"

namespace wdrt {

// Opens a window on the calling thread. It covers the thread's earlier windows until it
// closes. Its first event is EventOpenWindow.
WindowPtr Open(const WindowDef& def);
void Close(const WindowPtr& window);

// The calling thread's top (newest open) window, or null.
WindowPtr Target();

// Every open window of the program, in the order they were opened.
std::vector<WindowPtr> OpenWindows();
// Every window opened so far, open or closed, in order of opening.
std::vector<WindowPtr> AllWindows();
WindowPtr FindWindow(int id);

// ACCEPT: waits for the next event of `window` (which must be the calling thread's top
// window to get input). Returns false once the window has closed; the loop then ends.
bool Accept(const WindowPtr& window, Event& event);
// The runtime's own handling of an event, run unless the procedure consumed it:
// close window and close down close the window; a control's standard action runs.
void DefaultHandling(const WindowPtr& window, const Event& event);

// POST: queues an event to the top window of a thread (0: the calling thread).
void Post(int event, int control = 0, int thread = 0);
void PostToWindow(const WindowPtr& window, int event, int control = 0);
// Input from the view: dropped when the window is covered or closed.
void PostInput(const WindowPtr& window, int event, int control = 0);

// ALERT: arms a key (Keys.h) so that pressing it in the window gives an alert-key event.
void Alert(const WindowPtr& window, int key);
// A key pressed in the window (the view): queued as an alert-key event when it is armed.
bool PostKey(const WindowPtr& window, int key);
// Arms a key that counts only when held down for `milliseconds` without a break (a gesture a
// small child will not make by chance); the view then posts it as an alert-key event with
// PostHeldKey. 0 milliseconds disarms it.
void AlertHeld(const WindowPtr& window, int key, int milliseconds);
bool PostHeldKey(const WindowPtr& window, int key);

// POPUP: a pop-up menu near the top of `window`; returns the chosen item's number (from 1) or 0.
// Journals `popup-menu -> "<text>"` or `popup-menu -> none`. Without a view: 0.
int Popup(const WindowPtr& window, const std::vector<PopupItem>& items);

// The current event of the calling thread's loop (EVENT, FIELD, KEYCODE).
const Event& CurrentEvent();
int KeyCode();
void SetKeyCode(int code);

// Control operations; control 0 means the whole window where that makes sense.
void Display(const WindowPtr& window, int control = 0);
void Select(const WindowPtr& window, int control = 0);
void Hide(const WindowPtr& window, int control);
void Unhide(const WindowPtr& window, int control);
void Enable(const WindowPtr& window, int control);
void Disable(const WindowPtr& window, int control);
Geometry GetPosition(const WindowPtr& window, int control = 0);
void SetPosition(const WindowPtr& window, int control, const Geometry& g);
std::string GetText(const WindowPtr& window, int control);
void SetText(const WindowPtr& window, int control, const std::string& text);
std::string GetValue(const WindowPtr& window, int control);
void SetValue(const WindowPtr& window, int control, const std::string& value);
void SetPicture(const WindowPtr& window, int control, const std::string& picture);
long GetProp(const WindowPtr& window, int control, int prop);
void SetProp(const WindowPtr& window, int control, int prop, long value);
void SetTimer(const WindowPtr& window, int hundredths);
// MOUSEX and MOUSEY: the mouse pointer's place in dialog units of the window's area (x and y
// of the result); nullopt without a view or while the window is not on the screen.
std::optional<Geometry> MousePosition(const WindowPtr& window);
// CREATE: a new control numbered `number` on the window, shown unless its definition hides it.
// Returns false when the number is already taken.
bool CreateControl(const WindowPtr& window, int number, const ControlDef& def);

// Names the procedure that owns windows opened from now on by the calling thread, for
// the journal. The framework supplies it from the error manager's name stack.
void SetProcedureNameSource(std::function<std::string(int thread)> source);

// Closing down: posts close down to every window of every other thread and waits until their
// procedure threads have ended (a frame does this when it closes).
void CloseDownOtherThreads();

// Forgets every window (tests only; no window may be in use).
void ResetWindowsForTest();

}  // namespace wdrt

namespace wdrt {

// REGISTEREVENT: routes an event of a window to a handler, which runs on the window's thread
// inside ACCEPT before the loop sees the event. `owner` identifies the registration.
void RegisterEventHandler(const WindowPtr& window, int event, const void* owner, std::function<void()> handler);
void UnregisterEventHandlers(const WindowPtr& window, const void* owner);

// FOCUS: the control that has the input focus (0: none), kept up to date by the view.
int Focus(const WindowPtr& window);
void SetFocus(const WindowPtr& window, int control);

}  // namespace wdrt
