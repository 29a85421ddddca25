#include "runtime/view/WindowWidget.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

#include "runtime/core/Runtime.h"
#include "runtime/view/FrameFit.h"
#include "runtime/view/ControlWidgets.h"
#include "runtime/view/PictureCache.h"
#include "runtime/view/Pictures.h"
#include "runtime/view/Units.h"

namespace wdrt::view {
namespace {

// Pictures lie at the bottom, static texts on top (they name what lies under them), and the
// other controls between, in definition order.
int Layer(const ControlState& state) {
  switch (state.def.type) {
    case TypeImage: return 0;
    case TypeBox:
    case TypeGroup:
    case TypePanel: return 1;
    case TypeStaticString:
    case TypeString:
    case TypePrompt: return 3;
    default: return 2;
  }
}

// A new size in dialog units reaches the model and the window's loop as a sized event.
void ReportSize(const WindowPtr& window, const QSize& pixels) {
  Geometry now = window->ClientGeometry();
  const int width = PixelsToUnitsX(pixels.width());
  const int height = PixelsToUnitsY(pixels.height());
  if (now.width == width && now.height == height) return;
  now.width = width;
  now.height = height;
  window->SetClientGeometry(now);
  PostInput(window, EventSized);
}

}  // namespace

void ApplyWindowState(QWidget* shown, const WindowPtr& window) {
  const Qt::WindowStates wanted = GetProp(window, 0, PropIconize) != 0    ? Qt::WindowMinimized
                                  : GetProp(window, 0, PropMaximize) != 0 ? Qt::WindowMaximized
                                                                          : Qt::WindowNoState;
  const Qt::WindowStates now = shown->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized);
  if (now != wanted) shown->setWindowState((shown->windowState() & ~now) | wanted);
}

void ReportWindowState(const QWidget* shown, const WindowPtr& window) {
  if (!window->IsOpen()) return;
  const bool iconized = shown->isMinimized();
  const bool maximized = shown->isMaximized();
  if ((GetProp(window, 0, PropIconize) != 0) != iconized) SetProp(window, 0, PropIconize, iconized);
  if ((GetProp(window, 0, PropMaximize) != 0) != maximized) SetProp(window, 0, PropMaximize, maximized);
}

WindowWidget::WindowWidget(const WindowPtr& window, Part part, QWidget* parent)
    : QWidget(parent), window_(window), part_(part) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  if (part == Part::Client) {
    const Geometry g = window->Def().size;
    resize(UnitsToPixels(g.width, g.height));
    setWindowTitle(QString::fromStdString(window->Title()));
  }
  Build();
}

QSize WindowWidget::sizeHint() const {
  if (part_ != Part::Client) return QWidget::sizeHint();
  const Geometry g = window_->Def().size;
  return UnitsToPixels(g.width, g.height);
}

bool WindowWidget::Wanted(const ControlState& state) const {
  if (state.inMenu) return false;
  return part_ == Part::Toolbar ? state.inToolbar : !state.inToolbar;
}

void WindowWidget::Build() {
  std::vector<ControlState> controls = window_->Controls();
  std::stable_sort(controls.begin(), controls.end(),
                   [](const ControlState& a, const ControlState& b) { return Layer(a) < Layer(b); });
  for (const ControlState& state : controls) {
    if (!Wanted(state)) continue;
    QWidget* widget = CreateControlWidget(window_, state, window_->Def().font, this);
    widget->raise();
    controls_[state.number] = widget;
  }
  built_ = true;
}

QWidget* WindowWidget::ControlWidget(int number) const {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : it->second;
}

void WindowWidget::Refresh(int control) {
  if (control != 0) {
    if (QWidget* widget = ControlWidget(control)) {
      if (auto state = window_->Control(control)) UpdateControlWidget(widget, *state, window_->Def().font);
    }
    return;
  }
  for (const ControlState& state : window_->Controls()) {
    if (QWidget* widget = ControlWidget(state.number)) UpdateControlWidget(widget, state, window_->Def().font);
  }
  if (part_ == Part::Client) {
    setWindowTitle(QString::fromStdString(window_->Title()));
    setEnabled(!window_->IsCovered());
  }
  update();
}

void WindowWidget::paintEvent(QPaintEvent*) {
  const QColor background = ToQColor(window_->Def().background);
  if (!background.isValid() || part_ != Part::Client) return;
  QPainter painter(this);
  painter.fillRect(rect(), background);
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (part_ != Part::Client || !built_) return;
  ReportSize(window_, size());
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (reportsClose_ && window_->IsOpen()) {
    event->ignore();
    PostInput(window_, EventCloseWindow);
    return;
  }
  QWidget::closeEvent(event);
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && part_ == Part::Client && isWindow())
    ReportWindowState(this, window_);
}

ChildFrame::ChildFrame(const WindowPtr& window, QWidget* parent) : QMdiSubWindow(parent), window_(window) {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void ChildFrame::closeEvent(QCloseEvent* event) {
  if (!allowClose && window_->IsOpen()) {
    event->ignore();
    PostInput(window_, EventCloseWindow);
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

void ChildFrame::changeEvent(QEvent* event) {
  QMdiSubWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) ReportWindowState(this, window_);
}

PictureMdiArea::PictureMdiArea(QWidget* parent) : QMdiArea(parent) {}

void PictureMdiArea::SetPicture(const std::string& name) {
  pictureName_ = name;
  picture_ = QPixmap();
  ShowPicture();
}

void PictureMdiArea::ShowPicture() {
  if (pictureName_.empty()) return;
  const QSize wanted = viewport()->size();
  auto show = [this, wanted](const QPixmap& picture) {
    picture_ = picture;
    if (viewport()->size() != wanted) return;  // a later resize asks again
    setBackground(picture.size() == wanted
                      ? picture
                      : picture.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  };
  const std::string name = pictureName_;
  const QPixmap now = PictureCache::Get().Request(name, wanted, this, [this, name, show](const QPixmap& better) {
    if (pictureName_ == name) show(better);
  });
  if (!now.isNull()) show(now);
}

void PictureMdiArea::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  ShowPicture();
}

FrameWindow::FrameWindow(const WindowPtr& window) : window_(window) {
  const WindowDef& def = window->Def();
  setWindowTitle(QString::fromStdString(window->Title()));
  if (!def.icon.empty()) setWindowIcon(LoadIcon(def.icon));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (!def.toolbar.empty()) {
    toolbar_ = new WindowWidget(window, WindowWidget::Part::Toolbar, central);
    toolbar_->setFixedHeight(UnitsToPixelsY(ToolbarHeightUnits(def)));
    toolbar_->setAutoFillBackground(true);
    layout->addWidget(toolbar_);
  }
  area_ = new PictureMdiArea(central);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  if (!def.picture.empty()) area_->SetPicture(def.picture);
  layout->addWidget(area_, 1);
  setCentralWidget(central);
  BuildMenu();
  // Large enough for the toolbar and a whole page, as far as the screen allows.
  static const FrameChrome chrome = MeasureFrameChrome();
  QSize size = FrameSizeAt(def, chrome, Scale());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() - chrome.windowFrame);
  resize(size);
}

void FrameWindow::BuildMenu() {
  const std::vector<ControlState> controls = window_->Controls();
  QMenu* current = nullptr;
  std::weak_ptr<Window> weak = window_;
  for (const ControlState& state : controls) {
    if (!state.inMenu) continue;
    if (state.def.type == TypeMenu) {
      current = menuBar()->addMenu(QString::fromStdString(state.text));
      current->setToolTipsVisible(true);
      current->menuAction()->setToolTip(QString::fromStdString(state.def.tip));
      continue;
    }
    if (!current) continue;
    QAction* action = current->addAction(QString::fromStdString(state.text));
    action->setToolTip(QString::fromStdString(state.def.tip));
    action->setStatusTip(QString::fromStdString(state.def.tip));
    const int number = state.number;
    connect(action, &QAction::triggered, this, [weak, number] {
      if (auto w = weak.lock()) PostInput(w, EventAccepted, number);
    });
    actions_[number] = action;
  }
}

QAction* FrameWindow::MenuAction(int number) const {
  auto it = actions_.find(number);
  return it == actions_.end() ? nullptr : it->second;
}

void FrameWindow::Refresh(int control) {
  if (toolbar_) toolbar_->Refresh(control);
  if (control == 0) {
    setWindowTitle(QString::fromStdString(window_->Title()));
    const bool enabled = !window_->IsCovered();
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    ApplyWindowState(this, window_);
  }
}

void FrameWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) ReportWindowState(this, window_);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  if (!allowClose && window_->IsOpen()) {
    event->ignore();
    PostInput(window_, EventCloseWindow);
    return;
  }
  QMainWindow::closeEvent(event);
}

void FrameWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ReportSize(window_, size());
}

}  // namespace wdrt::view
