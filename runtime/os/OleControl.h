// The OLE control (control type 32): hosts a component, chosen by its programmatic identifier,
// in a numbered control of a window, and drives it by method-call texts ("Open(\"a.pdf\")")
// and named properties. Components are registered by servers (a library of hosted controls);
// they live on the GUI thread. The procedure-thread calls below wait for the GUI thread, and
// call directly when made on it. Without a view no component can be created.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/core/Window.h"

class QWidget;

namespace wdrt {

// One hosted component. GUI thread only.
class OleComponent {
 public:
  virtual ~OleComponent() = default;
  // The component's widget, created as a child of `parent`; the host places and sizes it.
  virtual QWidget* CreateWidget(QWidget* parent) = 0;
  // A method call: `name` as written before "(", arguments without their quotes.
  virtual std::string Call(const std::string& name, const std::vector<std::string>& arguments) = 0;
  virtual std::string Get(const std::string& name) = 0;
  virtual bool Set(const std::string& name, const std::string& value) = 0;
  // Events of the component: number and texts; the sink's result may cancel (browser).
  using EventSink = std::function<int(int event, const std::vector<std::string>& parameters)>;
  void SetEventSink(EventSink sink) { sink_ = std::move(sink); }

 protected:
  int Fire(int event, const std::vector<std::string>& parameters) const {
    return sink_ ? sink_(event, parameters) : 0;
  }

 private:
  EventSink sink_;
};

using OleFactory = std::function<std::unique_ptr<OleComponent>()>;

// Servers register their components at load. Any thread.
void RegisterOleServer(const std::string& progId, OleFactory factory);
bool OleServerRegistered(const std::string& progId);

// A method-call text split into its name and arguments: `Open("a, b.pdf")` gives "Open" and
// {"a, b.pdf"}; a text without parentheses is a name alone. Pure; any thread.
struct OleCallText {
  std::string name;
  std::vector<std::string> arguments;
};
OleCallText ParseOleCall(const std::string& text);

// Creates the component in `control` of `window` (a second create of the same identifier
// keeps the existing one). False when no server offers it or there is no view.
bool OleCreate(const WindowPtr& window, int control, const std::string& progId);
bool OleExists(const WindowPtr& window, int control);
std::string OleCall(const WindowPtr& window, int control, const std::string& callText);
std::string OleGet(const WindowPtr& window, int control, const std::string& name);
bool OleSet(const WindowPtr& window, int control, const std::string& name, const std::string& value);
// The sink is called on the GUI thread.
void OleSetEventSink(const WindowPtr& window, int control, OleComponent::EventSink sink);
// Deactivates and destroys the component; the control's placeholder shows again.
void OleDestroy(const WindowPtr& window, int control);
// Number of components alive (tests).
int OleCount();

// Runs `work` on the GUI thread and waits for it (directly when already there). False when
// there is no GUI thread to run it.
bool RunOnGuiThread(const std::function<void()>& work);

}  // namespace wdrt
