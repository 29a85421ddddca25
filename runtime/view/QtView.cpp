#include "runtime/view/QtView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <chrono>
#include <future>
#include <thread>

#include "runtime/core/Keys.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/HelpBook.h"
#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/core/Journal.h"
#include "runtime/view/ControlWidgets.h"
#include "runtime/view/FieldWidgets.h"
#include "runtime/view/FrameFit.h"
#include "runtime/view/HeldKeys.h"
#include "runtime/view/PictureCache.h"
#include "runtime/view/Pictures.h"
#include "runtime/view/TextPainting.h"
#include "runtime/view/Units.h"
#include "runtime/view/WindowShapeView.h"
#include "runtime/view/WindowWidget.h"

namespace wdrt::view {
namespace {

constexpr std::pair<int, QMessageBox::StandardButton> kButtons[] = {
    {ButtonOk, QMessageBox::Ok},         {ButtonYes, QMessageBox::Yes},       {ButtonNo, QMessageBox::No},
    {ButtonAbort, QMessageBox::Abort},   {ButtonRetry, QMessageBox::Retry},   {ButtonIgnore, QMessageBox::Ignore},
    {ButtonCancel, QMessageBox::Cancel}, {ButtonHelp, QMessageBox::Help}};

// The runtime's key code of a Qt key press; 0 for keys it has no code for.
int KeyCodeOf(const QKeyEvent& event) {
  const int qt = event.key();
  int key = 0;
  if (qt >= Qt::Key_A && qt <= Qt::Key_Z) key = 'A' + (qt - Qt::Key_A);
  else if (qt >= Qt::Key_0 && qt <= Qt::Key_9) key = '0' + (qt - Qt::Key_0);
  else if (qt >= Qt::Key_F1 && qt <= Qt::Key_F12) key = KeyF1 + (qt - Qt::Key_F1);
  else {
    switch (qt) {
      case Qt::Key_Escape: key = KeyEsc; break;
      case Qt::Key_Space: key = KeySpace; break;
      case Qt::Key_Left: key = KeyLeft; break;
      case Qt::Key_Right: key = KeyRight; break;
      case Qt::Key_Up: key = KeyUp; break;
      case Qt::Key_Down: key = KeyDown; break;
      case Qt::Key_PageUp: key = KeyPageUp; break;
      case Qt::Key_PageDown: key = KeyPageDown; break;
      case Qt::Key_Home: key = KeyHome; break;
      case Qt::Key_End: key = KeyEnd; break;
      case Qt::Key_Return:
      case Qt::Key_Enter: key = KeyEnter; break;
      case Qt::Key_Tab: key = KeyTab; break;
      case Qt::Key_Backspace: key = KeyBackspace; break;
      case Qt::Key_Delete: key = KeyDelete; break;
      default: return 0;
    }
  }
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (mods & Qt::ControlModifier) key |= KeyCtrl;
  if (mods & Qt::AltModifier) key |= KeyAlt;
  if (mods & Qt::ShiftModifier) key |= KeyShift;
  return key;
}

QKeyEvent MakeKeyEvent(QEvent::Type type, int key, bool autoRepeat = false) {
  const int base = key & 0xFF;
  int qt = 0;
  if (base >= 'A' && base <= 'Z') qt = Qt::Key_A + (base - 'A');
  else if (base >= '0' && base <= '9') qt = Qt::Key_0 + (base - '0');
  else if (base >= KeyF1 && base < KeyF1 + 12) qt = Qt::Key_F1 + (base - KeyF1);
  else {
    constexpr std::pair<int, int> kMap[] = {{KeyEsc, Qt::Key_Escape}, {KeySpace, Qt::Key_Space}, {KeyLeft, Qt::Key_Left},
        {KeyRight, Qt::Key_Right}, {KeyUp, Qt::Key_Up}, {KeyDown, Qt::Key_Down}, {KeyPageUp, Qt::Key_PageUp},
        {KeyPageDown, Qt::Key_PageDown}, {KeyHome, Qt::Key_Home}, {KeyEnd, Qt::Key_End}, {KeyEnter, Qt::Key_Return},
        {KeyTab, Qt::Key_Tab}, {KeyBackspace, Qt::Key_Backspace}, {KeyDelete, Qt::Key_Delete}};
    for (const auto& [ours, theirs] : kMap)
      if (ours == base) qt = theirs;
  }
  Qt::KeyboardModifiers mods;
  if (key & KeyCtrl) mods |= Qt::ControlModifier;
  if (key & KeyAlt) mods |= Qt::AltModifier;
  if (key & KeyShift) mods |= Qt::ShiftModifier;
  const QString text = base == KeySpace ? QStringLiteral(" ") : QString();
  return QKeyEvent(type, qt, mods, text, autoRepeat);
}

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

QtView::QtView() : heldKeys_(new HeldKeyWatcher(this)) {
  qApp->installEventFilter(this);
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

// Sees every event of every object, also those of Qt's internal classes whose type information
// is not visible outside their library; the behaviour checker's type check would take them
// for broken objects.
__attribute__((no_sanitize("vptr"))) bool QtView::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  if (!press) {
    heldKeys_->Released(keyEvent->isAutoRepeat());
    return false;
  }
  // The windows the widget lies in, innermost first (a page, then its frame).
  std::vector<WindowPtr> models;
  for (QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget()) {
    if (auto* client = qobject_cast<WindowWidget*>(w)) models.push_back(client->Model());
    else if (auto* frame = qobject_cast<FrameWindow*>(w)) models.push_back(frame->Model());
  }
  if (models.empty()) return false;
  const int key = KeyCodeOf(*keyEvent);
  if (key == 0) return false;
  if (heldKeys_->Pressed(models, key, keyEvent->isAutoRepeat())) return true;
  return PostKey(models.front(), key);
}


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
  QScreen* screen = QGuiApplication::primaryScreen();
  const FrameChrome chrome = MeasureFrameChrome(def.kind == WindowKind::Frame);
  // The scale of dialog units is chosen once, from the program's first window, before it shows
  // anything; every later window shares it.
  if (shown_.empty() && screen) {
    if (def.fullScreen) {
      // The whole screen, with neither window frame nor menu bar around the frame.
      FrameChrome bare = chrome;
      bare.menuBar = 0;
      bare.windowFrame = QSize(0, 0);
      SetScale(ScaleToFit(def, bare, screen->geometry().size()));
    } else {
      SetScale(ScaleToFit(def, chrome, screen->availableGeometry().size()));
    }
  }
  if (def.kind == WindowKind::Frame) {
    auto* frame = new FrameWindow(window);
    shown.frame = frame;
    shown.top = frame;
    if (def.fullScreen) {
      frame->showFullScreen();
    } else {
      // Placed by its outer corner, so that its title bar is on the screen too.
      if (screen) {
        const QRect placed = PlaceOnScreen(frame->geometry(), true, screen->availableGeometry(), chrome);
        frame->resize(placed.size());
        frame->move(placed.topLeft());
      }
      frame->show();
    }
  } else {
    FrameWindow* frame = def.kind == WindowKind::MdiChild ? CurrentFrame() : nullptr;
    auto* client = new WindowWidget(window, WindowWidget::Part::Client, nullptr);
    shown.client = client;
    if (!def.icon.empty()) client->setWindowIcon(LoadIcon(def.icon));
    if (frame) {
      auto* child = new ChildFrame(window, frame->Area());
      // In a full-screen frame a child shows neither title bar nor frame buttons.
      if (frame->Model()->Def().fullScreen) child->setWindowFlags(Qt::FramelessWindowHint);
      child->setWidget(client);
      child->setWindowTitle(QString::fromStdString(window->Title()));
      child->setWindowIcon(client->windowIcon());
      frame->Area()->addSubWindow(child);
      if (def.maximized) {
        child->showMaximized();
      } else {
        child->show();
        child->resize(child->size() - client->size() + client->sizeHint());
        // A new page opens whole in the middle of the area, over the pages before it.
        const QSize room = frame->Area()->viewport()->size();
        const QSize size = child->size();
        child->move(std::max(0, (room.width() - size.width()) / 2), std::max(0, (room.height() - size.height()) / 2));
      }
      shown.child = child;
      shown.top = child;
    } else {
      client->SetReportsClose(true);
      if (def.borderless) client->setWindowFlag(Qt::FramelessWindowHint);
      // A window that the program's scale makes larger than the screen is bounded to it (its
      // resizer lays out its controls), and one that would stick out is moved onto it.
      if (screen) {
        FrameChrome around = chrome;
        if (def.borderless) around.windowFrame = QSize(0, 0);
        // One that stays where it is is left to the window manager to place; one moved is moved
        // by its outer corner, so that its title bar is on the screen too.
        const QRect at(client->pos(), client->size());
        const QRect placed = PlaceOnScreen(at, def.resizable, screen->availableGeometry(), around);
        client->resize(placed.size());
        if (placed.topLeft() != at.topLeft()) client->move(placed.topLeft());
      }
      // A window being shaped is shown once its shape is on, so that it never flashes square.
      if (def.borderless && window->WindowProp(PropShaping) != 0)
        shown.awaitingShape = true;
      else
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
    if (shown->awaitingShape) {
      // Until it is shown its layout has not placed the controls' surface, so its size
      // says nothing yet.
      if (shown->model->WindowProp(PropShaping) != 0) return;
      shown->awaitingShape = false;
      shown->client->show();
    }
    ApplyWindowState(shown->top, shown->model);
    // A size set by the program (SETPOSITION of the window) reaches the widget here; a
    // maximized or minimized window keeps the size its state gives it.
    const Geometry g = shown->model->ClientGeometry();
    const QSize wanted = UnitsToPixels(g.width, g.height);
    QWidget* surface = shown->client->Surface();
    const bool sizedByState = shown->top->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized);
    if (!sizedByState && g.width > 0 && g.height > 0 &&
        (PixelsToUnitsX(surface->width()) != g.width || PixelsToUnitsY(surface->height()) != g.height)) {
      if (shown->child)
        shown->child->resize(shown->child->size() - shown->client->size() + wanted);
      else
        shown->client->resize(shown->client->size() - surface->size() + wanted);
    }
    if (!shown->child) ApplyWindowShape(shown->client, shown->model);
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
      case StdAction::PrintSetup:
        // What is chosen here becomes the program's current printer settings.
        ShowPrinterDialog("Print Setup");
        break;
      case StdAction::HelpIndex:
        OpenHelpBook("index.html");
        break;
      case StdAction::HelpSearch:
        OpenHelpBook("index.html", true);
        break;
      case StdAction::HelpOnHelp:
        OpenHelpBook("help.html");
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
    if (shown->client) {
      if (QAction* action = shown->client->MenuAction(control)) {
        if (action->isEnabled() && shown->client->isEnabled()) action->trigger();
        return true;
      }
    }
    QWidget* widget = ControlWidget(*shown, control);
    if (!widget || widget->isHidden()) return false;  // nobody can press what is not shown
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
    QWidget* widget = ControlWidget(*shown, control);
    if (widget && widget->isEnabled() && ChooseByTyping(widget, text)) return true;
    QLineEdit* entry = widget ? TypingEntry(widget) : nullptr;
    if (!entry || !widget->isEnabled()) return false;
    entry->setText(QString::fromStdString(text));
    FinishTyping(widget);
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
    if (!target || !target->isVisible()) return false;  // not on the screen yet: try again
    // Pictures still being decoded belong in the picture.
    PictureCache::Get().Settle(3000);
    QApplication::processEvents();
    QImage picture = target->grab().toImage();
    ClearOutsideMask(picture, target);
    return picture.save(QString::fromStdString(file));
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

bool QtView::WhollyVisible(const WindowPtr& window, int fillPercent, std::string& why) {
  const int id = window->Id();
  std::pair<bool, std::string> answer = OnGui([this, id, fillPercent]() -> std::pair<bool, std::string> {
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
      if (fillPercent > 0 && shown->client) {
        // The page itself (its surface keeps the design's shape), against the whole area.
        const QSize page = shown->client->Surface()->size();
        const QSize room = area->viewport()->size();
        const double fill = std::max(double(page.width()) / room.width(), double(page.height()) / room.height());
        if (fill * 100 < fillPercent)
          return {false, "page " + std::to_string(page.width()) + "x" + std::to_string(page.height()) + " fills " +
                             std::to_string(int(fill * 100)) + "% of the area's " + std::to_string(room.width()) +
                             "x" + std::to_string(room.height())};
      }
    }
    return {true, ""};
  });
  why = answer.second;
  return answer.first;
}

std::optional<std::string> QtView::Layout(const WindowPtr& window) {
  const int id = window->Id();
  return OnGui([this, id]() -> std::optional<std::string> {
    Shown* shown = Find(id);
    if (!shown || !shown->client || !shown->top || !shown->top->isVisible()) return std::nullopt;
    QWidget* surface = shown->client->Surface();
    const Geometry design = shown->model->Def().size;
    std::string out = "surface " + std::to_string(surface->width()) + " " + std::to_string(surface->height()) + " " +
                      std::to_string(design.width) + " " + std::to_string(design.height) + "\n";
    auto box = [](const QRect& r) {
      return std::to_string(r.x()) + " " + std::to_string(r.y()) + " " + std::to_string(r.width()) + " " +
             std::to_string(r.height());
    };
    for (const ControlState& state : shown->model->Controls()) {
      QWidget* widget = shown->client->ControlWidget(state.number);
      if (!widget || widget->isHidden() || widget->parentWidget() != surface) continue;
      QRect text;
      std::string style = "plain";
      if (auto* button = qobject_cast<ControlButton*>(widget)) {
        if (!state.text.empty()) text = button->TextBounds().translated(widget->pos());
        if (GetProp(shown->model, state.number, PropButtonStyle) == ButtonStyleHotSpot) style = "hotspot";
      } else if (auto* label = qobject_cast<ControlLabel*>(widget)) {
        if (!state.text.empty()) text = label->TextBounds().translated(widget->pos());
        style = "label";
      }
      out += "control " + std::to_string(state.number) + " " + std::to_string(state.def.type) + " " +
             box(widget->geometry()) + " " + box(text) + " " + style + " " + JournalQuote(state.picture) + " " +
             JournalQuote(state.text) + "\n";
    }
    return out;
  });
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

bool QtView::ClickAt(const WindowPtr& window, int x, int y) {
  const int id = window->Id();
  return OnGui([this, id, x, y] {
    Shown* shown = Find(id);
    // Nobody can click a window that is not on the screen yet; the driver tries again.
    if (!shown || !shown->client || !shown->top || !shown->top->isVisible()) return false;
    QWidget* surface = shown->client->Surface();
    const QPoint at(UnitsToPixelsX(x), UnitsToPixelsY(y));
    QWidget* target = surface->childAt(at);
    if (!target) target = surface;
    const QPoint local = target->mapFrom(surface, at);
    const QPoint global = target->mapToGlobal(local);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, local, global, Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(target, &event);
    }
    return true;
  });
}

bool QtView::MoveMouseTo(const WindowPtr& window, int x, int y) {
  const int id = window->Id();
  return OnGui([this, id, x, y] {
    Shown* shown = Find(id);
    if (!shown || !shown->client || !shown->top || !shown->top->isVisible()) return false;
    // The platform moves its pointer and tells the widgets it leaves and enters.
    QCursor::setPos(shown->client->Surface()->mapToGlobal(QPoint(UnitsToPixelsX(x), UnitsToPixelsY(y))));
    QApplication::processEvents();
    return true;
  });
}

std::optional<Geometry> QtView::MousePosition(const WindowPtr& window) {
  const int id = window->Id();
  return OnGui([this, id]() -> std::optional<Geometry> {
    Shown* shown = Find(id);
    if (!shown || !shown->client || !shown->top || !shown->top->isVisible()) return std::nullopt;
    const QPoint at = shown->client->Surface()->mapFromGlobal(QCursor::pos());
    return Geometry{PixelsToUnitsX(at.x()), PixelsToUnitsY(at.y()), 0, 0};
  });
}

void QtView::SysCommand(const WindowPtr& window, int command) {
  const int id = window->Id();
  QMetaObject::invokeMethod(this, [this, id, command] {
    if (Shown* shown = Find(id)) CarryOutSysCommand(shown->top, command);
  }, Qt::QueuedConnection);
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

bool QtView::Key(const WindowPtr& window, int key) {
  const int id = window->Id();
  return OnGui([this, id, key] {
    Shown* shown = Find(id);
    if (!shown || !shown->top) return false;
    QWidget* target = shown->top->focusWidget();
    if (!target) target = shown->client ? static_cast<QWidget*>(shown->client) : shown->top.data();
    QKeyEvent press = MakeKeyEvent(QEvent::KeyPress, key);
    QKeyEvent release = MakeKeyEvent(QEvent::KeyRelease, key);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    return true;
  });
}

bool QtView::HoldKey(const WindowPtr& window, int key, int milliseconds) {
  const int id = window->Id();
  auto send = [this, id, key](QEvent::Type type, bool autoRepeat) {
    return OnGui([this, id, key, type, autoRepeat] {
      Shown* shown = Find(id);
      if (!shown || !shown->top) return false;
      QWidget* target = shown->top->focusWidget();
      if (!target) target = shown->client ? static_cast<QWidget*>(shown->client) : shown->top.data();
      QKeyEvent keyEvent = MakeKeyEvent(type, key, autoRepeat);
      QApplication::sendEvent(target, &keyEvent);
      return true;
    });
  };
  if (!send(QEvent::KeyPress, false)) return false;
  // While it is held the keyboard repeats the key, as a real one does.
  constexpr auto kRepeat = std::chrono::milliseconds(33);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kRepeat, end - now));
    if (std::chrono::steady_clock::now() < end) {
      send(QEvent::KeyRelease, true);
      send(QEvent::KeyPress, true);
    }
  }
  return send(QEvent::KeyRelease, false);
}

int QtView::ShowPopup(const WindowPtr& window, const std::vector<PopupItem>& items) {
  const int id = window->Id();
  return OnGui([this, id, items] {
    Shown* shown = Find(id);
    QMenu menu(shown ? shown->top.data() : nullptr);
    int picked = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      QAction* action = menu.addAction(QString::fromStdString(items[i].text));
      action->setEnabled(items[i].enabled);
      const int number = static_cast<int>(i) + 1;
      connect(action, &QAction::triggered, &menu, [&picked, number] { picked = number; });
    }
    QPoint where(8, 8);
    if (shown && shown->client) where = shown->client->mapToGlobal(QPoint(UnitsToPixelsX(4), UnitsToPixelsY(4)));
    openMenu_ = &menu;
    menu.exec(where);
    openMenu_ = nullptr;
    return picked;
  });
}

bool QtView::ChoosePopupItem(const std::string& text) {
  return OnGui([this, text] {
    if (!openMenu_) return false;
    if (text.empty()) {
      openMenu_->close();
      return true;
    }
    for (QAction* action : openMenu_->actions()) {
      if (action->text().remove('&').compare(QString::fromStdString(text).remove('&'), Qt::CaseInsensitive) != 0)
        continue;
      if (!action->isEnabled()) return false;
      action->trigger();
      openMenu_->close();
      return true;
    }
    return false;
  });
}

}  // namespace wdrt::view
