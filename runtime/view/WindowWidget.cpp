#include "runtime/view/WindowWidget.h"

#include <QCloseEvent>
#include <QMouseEvent>
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
#include "runtime/view/Viewport.h"
#include "runtime/view/WindowShapeView.h"

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
    // A window with menus but no frame carries its own menu bar above its controls.
    if (!window->Def().menu.empty() && window->Def().kind != WindowKind::Frame) {
      auto* layout = new QVBoxLayout(this);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->setSpacing(0);
      menuBar_ = new QMenuBar(this);
      BuildMenuBar(menuBar_, window, menuActions_);
      // A shaped window cuts its corners; the menus start clear of the top left one.
      if (window->Def().borderless)
        menuBar_->setStyleSheet(QString("QMenuBar { padding-left: %1px; }").arg(UnitsToPixelsX(window->Def().size.width / 10)));
      layout->setMenuBar(menuBar_);
      surface_ = new QWidget(this);
      layout->addWidget(surface_, 1);
    } else if (window->Def().kind == WindowKind::MdiChild) {
      // A page keeps the proportions of its design however its window is sized (maximised,
      // full screen, resized by hand): its controls lie on a surface of the design's shape,
      // centred in the window.
      surface_ = new QWidget(this);
    }
    resize(sizeHint());
    setWindowTitle(QString::fromStdString(window->Title()));
  }
  Build();
}

QSize WindowWidget::sizeHint() const {
  if (part_ != Part::Client) return QWidget::sizeHint();
  const Geometry g = window_->Def().size;
  const QSize client = UnitsToPixels(g.width, g.height);
  return menuBar_ ? QSize(client.width(), client.height() + menuBar_->sizeHint().height()) : client;
}

QAction* WindowWidget::MenuAction(int number) const {
  auto it = menuActions_.find(number);
  return it == menuActions_.end() ? nullptr : it->second;
}

QWidget* WindowWidget::Surface() { return surface_ ? surface_ : this; }

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  const int number = event->button() == Qt::LeftButton ? EventLeftButtonDown
                     : event->button() == Qt::RightButton ? EventRightButtonDown : 0;
  if (number && part_ == Part::Client && ButtonEvents(window_)) PostInput(window_, number);
  QWidget::mousePressEvent(event);
}

// A top-level window that another window takes the focus from is told so (lose focus).
void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && part_ == Part::Client && isWindow())
    ReportWindowState(this, window_);
  if (event->type() != QEvent::ActivationChange || part_ != Part::Client || !isWindow()) return;
  if (isActiveWindow()) {
    wasActive_ = true;
  } else if (wasActive_) {
    wasActive_ = false;
    PostInput(window_, EventLoseFocus);
  }
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int number = event->button() == Qt::LeftButton ? EventLeftButtonUp
                     : event->button() == Qt::RightButton ? EventRightButtonUp : 0;
  if (number && part_ == Part::Client && ButtonEvents(window_)) PostInput(window_, number);
  QWidget::mouseReleaseEvent(event);
}

bool WindowWidget::Wanted(const ControlState& state) const {
  if (state.inMenu) return false;
  return part_ == Part::Toolbar ? state.inToolbar : !state.inToolbar;
}

void WindowWidget::Build() {
  std::vector<ControlState> controls = window_->Controls();
  std::stable_sort(controls.begin(), controls.end(),
                   [](const ControlState& a, const ControlState& b) { return Layer(a) < Layer(b); });
  auto viewportOf = [&](const ControlState& state) {
    if (state.def.parent == 0) return false;
    auto parent = window_->Control(state.def.parent);
    return parent && parent->def.type == TypeViewport;
  };
  for (const ControlState& state : controls) {
    if (!Wanted(state) || viewportOf(state)) continue;
    QWidget* widget = CreateControlWidget(window_, state, window_->Def().font, Surface());
    widget->raise();
    controls_[state.number] = widget;
  }
  // Controls inside a viewport lie on its canvas, in their layer order.
  for (const ControlState& state : controls) {
    if (!Wanted(state) || !viewportOf(state)) continue;
    auto* viewport = qobject_cast<ControlViewport*>(ControlWidget(state.def.parent));
    if (!viewport) continue;
    QWidget* widget = CreateControlWidget(window_, state, window_->Def().font, viewport->Canvas());
    widget->raise();
    controls_[state.number] = widget;
  }
  built_ = true;
}

void WindowWidget::EvenOutTexts() {
  // The texts of a toolbar's buttons with one font are drawn at one size: the largest at which
  // every one of them fits.
  std::map<QString, std::vector<ControlButton*>> rows;
  for (const auto& [number, widget] : controls_) {
    auto* button = qobject_cast<ControlButton*>(widget);
    if (!button || button->text().isEmpty() || button->isHidden()) continue;
    button->SetTextCap(0);
    rows[button->font().toString()].push_back(button);
  }
  for (auto& [font, buttons] : rows) {
    int smallest = 0;
    for (ControlButton* button : buttons) {
      const int pixels = button->FittedTextPixels();
      smallest = smallest == 0 ? pixels : std::min(smallest, pixels);
    }
    for (ControlButton* button : buttons) button->SetTextCap(smallest);
  }
}

QWidget* WindowWidget::ControlWidget(int number) const {
  auto it = controls_.find(number);
  return it == controls_.end() ? nullptr : it->second;
}

void WindowWidget::Refresh(int control) {
  if (control != 0) {
    auto state = window_->Control(control);
    if (!state) return;
    if (QWidget* widget = ControlWidget(control)) {
      UpdateControlWidget(widget, *state, window_->Def().font);
    } else if (built_ && Wanted(*state)) {
      // A control created at run time (CREATE) lies over the others.
      QWidget* created = CreateControlWidget(window_, *state, window_->Def().font, Surface());
      created->raise();
      created->show();
      controls_[control] = created;
    }
    return;
  }
  for (const ControlState& state : window_->Controls()) {
    if (QWidget* widget = ControlWidget(state.number)) UpdateControlWidget(widget, state, window_->Def().font);
  }
  if (part_ == Part::Toolbar) EvenOutTexts();
  if (part_ == Part::Client) {
    setWindowTitle(QString::fromStdString(window_->Title()));
    setEnabled(!window_->IsCovered());
  }
  update();
}

void WindowWidget::paintEvent(QPaintEvent*) {
  if (part_ != Part::Client) return;
  const QColor background = ToQColor(window_->Def().background);
  QPainter painter(this);
  // Beside a page of another shape than its window lies a calm dark band.
  if (surface_ && !menuBar_ && surface_->geometry() != rect())
    painter.fillRect(rect(), background.isValid() ? background.darker(160) : QColor(32, 36, 44));
  if (background.isValid()) painter.fillRect(surface_ ? surface_->geometry() & rect() : rect(), background);
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (part_ != Part::Client) return;
  if (surface_ && !menuBar_) {
    const Geometry design = window_->Def().size;
    const QSize shape = UnitsToPixels(design.width, design.height);
    const QSize fitted = shape.isEmpty() ? size() : shape.scaled(size(), Qt::KeepAspectRatio);
    surface_->setGeometry(QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted));
  }
  if (!built_) return;
  if (isWindow()) ApplyWindowShape(this, window_);
  ReportSize(window_, menuBar_ ? QSize(width(), height() - menuBar_->sizeHint().height()) : Surface()->size());
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  if (reportsClose_ && window_->IsOpen()) {
    event->ignore();
    PostInput(window_, EventCloseWindow);
    return;
  }
  QWidget::closeEvent(event);
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
    // The picture covers the area with its proportions kept.
    setBackground(picture.size() == wanted
                      ? picture
                      : picture.copy(CoverSource(picture.size(), wanted).toRect())
                            .scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
  if (def.fullScreen) {
    menuBar()->hide();
    return;
  }
  // A book uses its screen: the frame takes the screen's available area (the scale was chosen so
  // that its largest page fits in it whole).
  static const FrameChrome chrome = MeasureFrameChrome();
  QSize size = FrameSizeAt(def, chrome, Scale());
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = screen->availableGeometry().size() - chrome.windowFrame;
  resize(size);
}

void FrameWindow::BuildMenu() { BuildMenuBar(menuBar(), window_, actions_); }

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
