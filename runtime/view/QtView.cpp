#include "runtime/view/QtView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <future>

#include "runtime/core/Runtime.h"
#include "runtime/view/FrameFit.h"
#include "runtime/view/PictureCache.h"
#include "runtime/view/Pictures.h"
#include "runtime/view/TextPainting.h"
#include "runtime/view/Units.h"
#include "runtime/view/WindowWidget.h"

namespace wdrt::view {
namespace {

constexpr std::pair<int, QMessageBox::StandardButton> kButtons[] = {
    {ButtonOk, QMessageBox::Ok},         {ButtonYes, QMessageBox::Yes},       {ButtonNo, QMessageBox::No},
    {ButtonAbort, QMessageBox::Abort},   {ButtonRetry, QMessageBox::Retry},   {ButtonIgnore, QMessageBox::Ignore},
    {ButtonCancel, QMessageBox::Cancel}, {ButtonHelp, QMessageBox::Help}};

QMessageBox::Icon BoxIcon(int icon) {
  switch (icon) {
    case IconHand: return QMessageBox::Critical;
    case IconQuestion: return QMessageBox::Question;
    case IconExclamation: return QMessageBox::Warning;
    case IconAsterisk: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

QtView::QtView() {
  // FOCUS: the control that has the keyboard focus, kept in its window's model.
  connect(qApp, &QApplication::focusChanged, this, [](QWidget*, QWidget* now) {
    for (QWidget* w = now; w; w = w->parentWidget()) {
      const QVariant number = w->property("wdrtControl");
      if (!number.isValid()) continue;
      for (QWidget* owner = w->parentWidget(); owner; owner = owner->parentWidget()) {
        if (auto* client = qobject_cast<WindowWidget*>(owner)) {
          SetFocus(client->Model(), number.toInt());
          return;
        }
      }
      return;
    }
  });
}
QtView::~QtView() = default;

template <typename F>
auto QtView::OnGui(F&& f) {
  using Result = decltype(f());
  if (QThread::currentThread() == thread()) return f();
  std::promise<Result> promise;
  auto future = promise.get_future();
  QMetaObject::invokeMethod(this, [&] {
    if constexpr (std::is_void_v<Result>) {
      f();
      promise.set_value();
    } else {
      promise.set_value(f());
    }
  }, Qt::QueuedConnection);
  return future.get();
}

QtView::Shown* QtView::Find(int windowId) {
  auto it = shown_.find(windowId);
  return it == shown_.end() ? nullptr : &it->second;
}

FrameWindow* QtView::CurrentFrame() {
  FrameWindow* newest = nullptr;
  for (auto& [id, shown] : shown_)
    if (shown.frame) newest = shown.frame;
  return newest;
}

void QtView::WindowOpened(const WindowPtr& window) {
  QMetaObject::invokeMethod(this, [this, window] { Create(window); }, Qt::QueuedConnection);
}

void QtView::WindowClosed(const WindowPtr& window) {
  const int id = window->Id();
  QMetaObject::invokeMethod(this, [this, id] { Destroy(id); }, Qt::QueuedConnection);
}

void QtView::WindowChanged(const WindowPtr& window, int control) {
  const int id = window->Id();
  QMetaObject::invokeMethod(this, [this, id, control] { Refresh(id, control); }, Qt::QueuedConnection);
}

void QtView::Create(const WindowPtr& window) {
  if (!window->IsOpen() || Find(window->Id())) return;
  Shown shown;
  shown.model = window;
  const WindowDef& def = window->Def();
  if (def.kind == WindowKind::Frame) {
    QScreen* screen = QGuiApplication::primaryScreen();
    // The scale of dialog units is chosen once, before the first window shows anything.
    if (shown_.empty() && screen)
      SetScale(ScaleToFit(def, MeasureFrameChrome(), screen->availableGeometry().size()));
    auto* frame = new FrameWindow(window);
    shown.frame = frame;
    shown.top = frame;
    frame->show();
    if (screen && !screen->availableGeometry().contains(frame->frameGeometry()))
      frame->move(screen->availableGeometry().topLeft());
  } else {
    FrameWindow* frame = def.kind == WindowKind::MdiChild ? CurrentFrame() : nullptr;
    auto* client = new WindowWidget(window, WindowWidget::Part::Client, nullptr);
    shown.client = client;
    if (!def.icon.empty()) client->setWindowIcon(LoadIcon(def.icon));
    if (frame) {
      auto* child = new ChildFrame(window, frame->Area());
      child->setWidget(client);
      child->setWindowTitle(QString::fromStdString(window->Title()));
      child->setWindowIcon(client->windowIcon());
      frame->Area()->addSubWindow(child);
      child->show();
      child->resize(child->size() - client->size() + client->sizeHint());
      shown.child = child;
      shown.top = child;
    } else {
      client->SetReportsClose(true);
      client->show();
      shown.top = client;
    }
  }
  std::weak_ptr<Window> weak = window;
  shown_[window->Id()] = shown;
  Refresh(window->Id(), 0);
}

void QtView::Destroy(int windowId) {
  Shown* shown = Find(windowId);
  if (!shown) return;
  if (shown->frame) {
    shown->frame->allowClose = true;
    shown->frame->close();
    shown->frame->deleteLater();
  } else if (shown->child) {
    shown->child->allowClose = true;
    shown->child->close();
    shown->child->deleteLater();
  } else if (shown->client) {
    shown->client->SetReportsClose(false);
    shown->client->close();
    shown->client->deleteLater();
  }
  shown_.erase(windowId);
}

void QtView::Refresh(int windowId, int control) {
  Shown* shown = Find(windowId);
  if (!shown) return;
  if (shown->frame) {
    shown->frame->Refresh(control);
    return;
  }
  if (!shown->client) return;
  shown->client->Refresh(control);
  if (control == 0) {
    const QString title = QString::fromStdString(shown->model->Title());
    if (shown->child) {
      shown->child->setWindowTitle(title);
      shown->child->setEnabled(!shown->model->IsCovered());
    }
    ApplyWindowState(shown->top, shown->model);
    // A size set by the program (SETPOSITION of the window) reaches the widget here.
    const Geometry g = shown->model->ClientGeometry();
    const QSize wanted = UnitsToPixels(g.width, g.height);
    if (g.width > 0 && g.height > 0 &&
        (PixelsToUnitsX(shown->client->width()) != g.width || PixelsToUnitsY(shown->client->height()) != g.height)) {
      if (shown->child)
        shown->child->resize(shown->child->size() - shown->client->size() + wanted);
      else
        shown->client->resize(wanted);
    }
  }
}

void QtView::SelectControl(const WindowPtr& window, int control) {
  const int id = window->Id();
  QMetaObject::invokeMethod(this, [this, id, control] {
    if (Shown* shown = Find(id)) {
      if (QWidget* w = ControlWidget(*shown, control)) w->setFocus(Qt::OtherFocusReason);
    }
  }, Qt::QueuedConnection);
}

void QtView::RunStdAction(const WindowPtr& window, StdAction action) {
  const int id = window->Id();
  QMetaObject::invokeMethod(this, [this, id, action] {
    Shown* shown = Find(id);
    FrameWindow* frame = shown && shown->frame ? shown->frame.data() : CurrentFrame();
    switch (action) {
      case StdAction::TileWindow:
        if (frame) frame->Area()->tileSubWindows();
        break;
      case StdAction::CascadeWindow:
        if (frame) frame->Area()->cascadeSubWindows();
        break;
      case StdAction::ArrangeIcons:
        if (frame) {
          // Minimised windows line up along the bottom of the area.
          int x = 0;
          for (QMdiSubWindow* sub : frame->Area()->subWindowList()) {
            if (!sub->isMinimized()) continue;
            sub->move(x, frame->Area()->viewport()->height() - sub->height());
            x += sub->width();
          }
        }
        break;
      case StdAction::PrintSetup: {
        QPrinter printer;
        QPageSetupDialog dialog(&printer, shown ? shown->top.data() : nullptr);
        dialog.exec();
        break;
      }
      case StdAction::HelpIndex:
      case StdAction::HelpSearch:
      case StdAction::HelpOnHelp:
        QMessageBox::information(shown ? shown->top.data() : nullptr, "Help",
                                 "This book has no help file. Press a picture or a sentence to hear it.");
        break;
      default:
        break;
    }
  }, Qt::QueuedConnection);
}

int QtView::ShowMessage(const MessageRequest& request) {
  return OnGui([this, request] {
    QString text = QString::fromStdString(request.text);
    text.replace('|', '\n');
    QMessageBox box(BoxIcon(request.icon), QString::fromStdString(request.caption), text);
    for (const auto& [value, standard] : kButtons) {
      if (request.buttons & value) {
        QAbstractButton* b = box.addButton(standard);
        if (value == request.defaultButton) box.setDefaultButton(qobject_cast<QPushButton*>(b));
      }
    }
    openBoxes_.push_back(&box);
    box.exec();
    std::erase_if(openBoxes_, [&](const QPointer<QMessageBox>& p) { return p == &box; });
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (const auto& [value, standard] : kButtons)
      if (standard == pressed) return value;
    return 0;
  });
}

Geometry QtView::MeasureText(const FontDef& font, const FontDef& windowFont, const std::string& text) {
  return OnGui([&] {
    const QSize size = TextSize(MakeFont(font, windowFont), QString::fromStdString(text));
    return Geometry{0, 0, PixelsToUnitsX(size.width()) + 1, PixelsToUnitsY(size.height())};
  });
}

void QtView::Quit(int exitCode) {
  QMetaObject::invokeMethod(qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

QWidget* QtView::ControlWidget(const Shown& shown, int control) {
  if (shown.frame) return shown.frame->Toolbar() ? shown.frame->Toolbar()->ControlWidget(control) : nullptr;
  return shown.client ? shown.client->ControlWidget(control) : nullptr;
}

bool QtView::Press(const WindowPtr& window, int control) {
  const int id = window->Id();
  return OnGui([this, id, control] {
    Shown* shown = Find(id);
    if (!shown) return false;
    if (shown->frame) {
      if (QAction* action = shown->frame->MenuAction(control)) {
        if (action->isEnabled() && shown->frame->menuBar()->isEnabled()) action->trigger();
        return true;
      }
    }
    QWidget* widget = ControlWidget(*shown, control);
    if (!widget) return false;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->click();  // does nothing while the window is covered (disabled), as for a user
      return true;
    }
    return false;
  });
}

bool QtView::Type(const WindowPtr& window, int control, const std::string& text) {
  const int id = window->Id();
  return OnGui([this, id, control, text] {
    Shown* shown = Find(id);
    if (!shown) return false;
    auto* entry = qobject_cast<QLineEdit*>(ControlWidget(*shown, control));
    if (!entry || !entry->isEnabled()) return false;
    entry->setText(QString::fromStdString(text));
    emit entry->editingFinished();
    return true;
  });
}

bool QtView::Screenshot(const WindowPtr& window, const std::string& file) {
  const int id = window ? window->Id() : 0;
  return OnGui([this, id, file] {
    QWidget* target = nullptr;
    if (id != 0) {
      if (Shown* shown = Find(id)) target = shown->top;
    } else {
      target = CurrentFrame();
      if (!target && !shown_.empty()) target = shown_.rbegin()->second.top;
    }
    if (!target) return false;
    // Pictures still being decoded belong in the picture.
    PictureCache::Get().Settle(3000);
    QApplication::processEvents();
    return target->grab().save(QString::fromStdString(file));
  });
}

bool QtView::ResizeByUser(const WindowPtr& window, int widthDlu, int heightDlu) {
  const int id = window->Id();
  return OnGui([this, id, widthDlu, heightDlu] {
    Shown* shown = Find(id);
    if (!shown) return false;
    const QSize wanted = UnitsToPixels(widthDlu, heightDlu);
    if (shown->frame)
      shown->frame->resize(wanted);
    else if (shown->child)
      shown->child->resize(shown->child->size() - shown->client->size() + wanted);
    else if (shown->client)
      shown->client->resize(wanted);
    return true;
  });
}

bool QtView::WhollyVisible(const WindowPtr& window, std::string& why) {
  const int id = window->Id();
  std::pair<bool, std::string> answer = OnGui([this, id]() -> std::pair<bool, std::string> {
    Shown* shown = Find(id);
    if (!shown || !shown->top) return {false, "not shown"};
    QWidget* top = shown->top;
    QWidget* outer = shown->child ? top->window() : top;
    const QScreen* screen = outer->screen();
    if (!screen) return {false, "on no screen"};
    const QRect available = screen->availableGeometry();
    if (!available.contains(outer->geometry()))
      return {false, "window " + std::to_string(outer->width()) + "x" + std::to_string(outer->height()) +
                         " does not fit the screen's " + std::to_string(available.width()) + "x" +
                         std::to_string(available.height())};
    if (shown->child) {
      QMdiArea* area = shown->child->mdiArea();
      if (!area) return {false, "child outside an area"};
      if (area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible())
        return {false, "the child-window area shows scroll bars"};
      const QRect child = shown->child->geometry();
      if (!area->viewport()->rect().contains(child))
        return {false, "child " + std::to_string(child.width()) + "x" + std::to_string(child.height()) + " at " +
                           std::to_string(child.x()) + "," + std::to_string(child.y()) + " does not fit the area's " +
                           std::to_string(area->viewport()->width()) + "x" +
                           std::to_string(area->viewport()->height())};
    }
    return {true, ""};
  });
  why = answer.second;
  return answer.first;
}

bool QtView::CloseByUser(const WindowPtr& window) {
  const int id = window->Id();
  return OnGui([this, id] {
    Shown* shown = Find(id);
    if (!shown || !shown->top) return false;
    shown->top->close();  // asks the model; the window closes when its procedure lets it
    return true;
  });
}

bool QtView::AnswerMessage(int button) {
  return OnGui([this, button] {
    std::erase_if(openBoxes_, [](const QPointer<QMessageBox>& p) { return p.isNull(); });
    if (openBoxes_.empty()) return false;
    QMessageBox* box = openBoxes_.back();
    for (const auto& [value, standard] : kButtons) {
      if (value == button) {
        if (QAbstractButton* b = box->button(standard)) {
          b->click();
          return true;
        }
      }
    }
    return false;
  });
}

}  // namespace wdrt::view
