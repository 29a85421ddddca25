#include "runtime/os/OleControl.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <map>
#include <mutex>

#include "runtime/core/Journal.h"
#include "runtime/view/WindowWidget.h"

namespace wdrt {
namespace {

std::mutex serversMutex;
std::map<std::string, OleFactory>& Servers() {
  static std::map<std::string, OleFactory> servers;
  return servers;
}

// Keeps a component's widget on top of its control's placeholder, wherever that moves.
class PlaceholderFollower : public QObject {
 public:
  PlaceholderFollower(QWidget* placeholder, QWidget* hosted) : QObject(placeholder), hosted_(hosted) {
    placeholder->installEventFilter(this);
    Follow(placeholder);
  }
  void Follow(QWidget* placeholder) {
    if (!hosted_) return;
    hosted_->setGeometry(placeholder->geometry());
    hosted_->raise();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
      Follow(static_cast<QWidget*>(watched));
    return false;
  }

 private:
  QPointer<QWidget> hosted_;
};

struct Hosted {
  std::string progId;
  std::unique_ptr<OleComponent> component;
  QPointer<QWidget> widget;
  QPointer<PlaceholderFollower> follower;
};

// GUI thread only: keyed by window id and control number.
std::map<std::pair<int, int>, Hosted>& Components() {
  static std::map<std::pair<int, int>, Hosted> components;
  return components;
}

QWidget* Placeholder(int windowId, int control) {
  for (QWidget* widget : QApplication::allWidgets()) {
    auto* client = qobject_cast<view::WindowWidget*>(widget);
    if (!client || !client->Model() || client->Model()->Id() != windowId) continue;
    if (QWidget* placeholder = client->ControlWidget(control)) return placeholder;
  }
  return nullptr;
}

Hosted* Find(int windowId, int control) {
  auto& components = Components();
  auto it = components.find({windowId, control});
  if (it == components.end()) return nullptr;
  if (!it->second.widget) {  // the window's widgets went with the window
    components.erase(it);
    return nullptr;
  }
  return &it->second;
}

void Destroy(int windowId, int control) {
  auto& components = Components();
  auto it = components.find({windowId, control});
  if (it == components.end()) return;
  Hosted hosted = std::move(it->second);
  components.erase(it);
  delete hosted.follower;
  hosted.component.reset();
  delete hosted.widget;
}

std::string Unquote(std::string text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

void RegisterOleServer(const std::string& progId, OleFactory factory) {
  std::lock_guard lock(serversMutex);
  Servers()[progId] = std::move(factory);
}

bool OleServerRegistered(const std::string& progId) {
  std::lock_guard lock(serversMutex);
  return Servers().count(progId) != 0;
}

OleCallText ParseOleCall(const std::string& text) {
  OleCallText call;
  // The argument list is the parenthesised group that ends the text; anything else (such as
  // "item(0).src") is part of the name.
  const std::size_t last = text.find_last_not_of(' ');
  if (last == std::string::npos || text[last] != ')') {
    call.name = Unquote(text);
    return call;
  }
  std::size_t open = std::string::npos;
  int depth = 0;
  bool quoted = false;
  for (std::size_t i = last + 1; i-- > 0;) {
    const char c = text[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == ')') ++depth;
    if (c == '(' && --depth == 0) {
      open = i;
      break;
    }
  }
  if (open == std::string::npos) {
    call.name = Unquote(text);
    return call;
  }
  call.name = Unquote(text.substr(0, open));
  const std::string inside = text.substr(open + 1, last - open - 1);
  if (inside.find_first_not_of(' ') == std::string::npos) return call;
  std::string current;
  quoted = false;
  for (char c : inside) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      call.arguments.push_back(Unquote(current));
      current.clear();
    } else {
      current += c;
    }
  }
  call.arguments.push_back(Unquote(current));
  return call;
}

bool RunOnGuiThread(const std::function<void()>& work) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return false;
  if (QThread::currentThread() == app->thread()) {
    work();
    return true;
  }
  return QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
}

bool OleCreate(const WindowPtr& window, int control, const std::string& progId) {
  if (!window) return false;
  OleFactory factory;
  {
    std::lock_guard lock(serversMutex);
    auto it = Servers().find(progId);
    if (it == Servers().end()) {
      JournalLine("ole-create " + JournalQuote(progId) + " -> no-server");
      return false;
    }
    factory = it->second;
  }
  const int id = window->Id();
  bool created = false;
  RunOnGuiThread([&] {
    if (Hosted* existing = Find(id, control)) {
      if (existing->progId == progId) {
        created = true;
        return;
      }
      Destroy(id, control);
    }
    QWidget* placeholder = Placeholder(id, control);
    if (!placeholder || !placeholder->parentWidget()) return;
    std::unique_ptr<OleComponent> component = factory();
    if (!component) return;
    QWidget* widget = component->CreateWidget(placeholder->parentWidget());
    if (!widget) return;
    Hosted hosted;
    hosted.progId = progId;
    hosted.widget = widget;
    hosted.follower = new PlaceholderFollower(placeholder, widget);
    hosted.component = std::move(component);
    widget->show();
    // A window that closes takes the widget with it; its component goes too.
    QObject::connect(widget, &QObject::destroyed, QCoreApplication::instance(), [id, control] {
      auto& components = Components();
      auto it = components.find({id, control});
      if (it != components.end() && !it->second.widget) components.erase(it);
    }, Qt::QueuedConnection);
    Components()[{id, control}] = std::move(hosted);
    created = true;
  });
  JournalLine("ole-create " + JournalQuote(progId) + " -> " + (created ? "ok" : "failed"));
  return created;
}

bool OleExists(const WindowPtr& window, int control) {
  bool exists = false;
  if (window) RunOnGuiThread([&] { exists = Find(window->Id(), control) != nullptr; });
  return exists;
}

std::string OleCall(const WindowPtr& window, int control, const std::string& callText) {
  std::string result;
  if (!window) return result;
  const OleCallText call = ParseOleCall(callText);
  RunOnGuiThread([&] {
    if (Hosted* hosted = Find(window->Id(), control)) result = hosted->component->Call(call.name, call.arguments);
  });
  return result;
}

std::string OleGet(const WindowPtr& window, int control, const std::string& name) {
  std::string result;
  if (!window) return result;
  // "Duration()" reads the property "Duration"; "item(0).src" is a name of its own.
  std::string property = Unquote(name);
  if (property.size() > 2 && property.compare(property.size() - 2, 2, "()") == 0) property.resize(property.size() - 2);
  RunOnGuiThread([&] {
    if (Hosted* hosted = Find(window->Id(), control)) result = hosted->component->Get(property);
  });
  return result;
}

bool OleSet(const WindowPtr& window, int control, const std::string& name, const std::string& value) {
  bool done = false;
  if (!window) return false;
  RunOnGuiThread([&] {
    if (Hosted* hosted = Find(window->Id(), control)) done = hosted->component->Set(name, value);
  });
  return done;
}

void OleSetEventSink(const WindowPtr& window, int control, OleComponent::EventSink sink) {
  if (!window) return;
  RunOnGuiThread([&] {
    if (Hosted* hosted = Find(window->Id(), control)) hosted->component->SetEventSink(std::move(sink));
  });
}

void OleDestroy(const WindowPtr& window, int control) {
  if (!window) return;
  RunOnGuiThread([&] { Destroy(window->Id(), control); });
}

int OleCount() {
  int count = 0;
  RunOnGuiThread([&] {
    for (auto it = Components().begin(); it != Components().end();) {
      if (!it->second.widget) {
        it = Components().erase(it);
      } else {
        ++count;
        ++it;
      }
    }
  });
  return count;
}

}  // namespace wdrt
