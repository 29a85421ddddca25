#include "runtime/view/ControlWidgets.h"

#include <QCheckBox>
#include <cmath>
#include <QEnterEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QUrl>

#include "runtime/core/Runtime.h"
#include "runtime/view/PictureCache.h"
#include "runtime/view/Pictures.h"
#include "runtime/view/TextPainting.h"
#include "runtime/view/FieldWidgets.h"
#include "runtime/view/Units.h"
#include "runtime/view/Viewport.h"

namespace wdrt::view {
namespace {

constexpr char kNumberProperty[] = "wdrtControl";

bool IsLight(const QColor& c) { return c.isValid() && c.lightness() > 160; }

QRect PixelRect(const ControlState& state, const QWidget* widget) {
  QRect rect = UnitsToPixels(state.pos);
  if (state.pos.width == 0 || state.pos.height == 0) {
    QSize hint = widget->sizeHint();
    if (state.pos.width == 0) rect.setWidth(hint.width());
    if (state.pos.height == 0) rect.setHeight(hint.height());
  }
  return rect;
}

}  // namespace

void PictureSlot::Show(QWidget* owner, const std::string& name, QSize size) {
  if (name != name_) {
    name_ = name;
    pixmap_ = QPixmap();
  }
  if (name.empty()) return;
  if (name.rfind("ICON:", 0) == 0) {
    if (pixmap_.isNull()) pixmap_ = LoadPicture(name);
    return;
  }
  const QSize wanted = size * owner->devicePixelRatioF();
  if (!pixmap_.isNull() && pixmap_.width() >= wanted.width() && pixmap_.height() >= wanted.height()) return;
  // The slot lives as long as its owner, and the cache calls back only while the owner lives.
  const QPixmap now = PictureCache::Get().Request(name, wanted, owner, [this, owner, name](const QPixmap& better) {
    if (name_ != name) return;
    pixmap_ = better;
    owner->update();
  });
  if (!now.isNull()) pixmap_ = now;
}

ControlButton::ControlButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ControlButton::Apply(const ControlState& state, const QFont& font) {
  setText(QString::fromStdString(state.text));
  setFont(font);
  setToolTip(QString::fromStdString(state.def.tip));
  pictureName_ = state.picture;
  stateIcon_ = LoadIcon(state.def.icon);
  textColor_ = ToQColor(state.def.font.color);
  background_ = ToQColor(state.def.background);
  auto it = state.props.find(PropButtonStyle);
  // A flat button lies over the window's picture like a hot spot unless the program says otherwise.
  style_ = it != state.props.end() ? static_cast<int>(it->second) : state.def.flat ? ButtonStyleHotSpot : ButtonStylePlain;
  auto lit = state.props.find(PropReadWord);
  litWord_ = lit == state.props.end()            ? -1
             : lit->second == kReadEveryWord ? kEveryWordLit
                                             : static_cast<int>(lit->second) - 1;
  auto dim = state.props.find(PropDimmed);
  dimmed_ = dim != state.props.end() && dim->second != 0;
  auto reply = state.props.find(PropAnswerReply);
  if (reply != state.props.end() && reply->second != reply_) {
    reply_ = reply->second;
    ShowReply((reply_ & 1) != 0);
  }
  update();
}

void ControlButton::ShowReply(bool right) {
  // A ring that opens around a right answer; a short shake of a wrong one.
  if (replyAnimation_) replyAnimation_->stop();
  auto* animation = new QVariantAnimation(this);
  animation->setStartValue(0.0);
  animation->setEndValue(1.0);
  animation->setDuration(right ? 700 : 400);
  connect(animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    replyPhase_ = value.toDouble();
    update();
  });
  connect(animation, &QVariantAnimation::finished, this, [this] {
    replyPhase_ = -1;
    update();
  });
  replyRight_ = right;
  replyPhase_ = 0;
  replyAnimation_ = animation;
  animation->start(QAbstractAnimation::DeleteWhenStopped);
  update();
}

void ControlButton::ShowPicture() { picture_.Show(this, pictureName_, size()); }

void ControlButton::resizeEvent(QResizeEvent* event) {
  QAbstractButton::resizeEvent(event);
  ShowPicture();
}

void ControlButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ControlButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

QRect ControlButton::TextRect() const {
  QRect textRect = rect().adjusted(4, 2, -4, -2);
  if (!stateIcon_.isNull() && !text().isEmpty()) textRect.setLeft(height() / 6 + std::min(width(), height()) / 2 + 4);
  // Texts on picture buttons sit along the bottom so that the picture stays visible.
  if (!picture_.Pixmap().isNull()) textRect.setTop(textRect.bottom() - textRect.height() / 3);
  // A button reaching past its window's edge writes its text where it can be seen.
  if (const QWidget* parent = parentWidget()) textRect &= parent->rect().translated(-pos()).adjusted(4, 2, -4, -2);
  return textRect;
}

QColor ControlButton::TextColor() const {
  QColor color = textColor_.isValid() ? textColor_
                 : style_ == ButtonStyleHotSpot ? QColor(Qt::white) : QColor(Qt::black);
  if (dimmed_) color = QColor(120, 120, 120);
  if (!isEnabled()) color.setAlpha(140);
  return color;
}

QFont ControlButton::TextFont() const {
  QFont capped = font();
  if (textCap_ > 0 && capped.pixelSize() > textCap_) capped.setPixelSize(textCap_);
  return capped;
}

QRect ControlButton::TextBounds() const {
  const QColor color = TextColor();
  return LayOutText(TextRect(), text(), TextFont(), style_ == ButtonStyleHotSpot || IsLight(color)).bounds;
}

int ControlButton::FittedTextPixels() const {
  const QColor color = TextColor();
  return LayOutText(TextRect(), text(), TextFont(), style_ == ButtonStyleHotSpot || IsLight(color)).font.pixelSize();
}

void ControlButton::SetTextCap(int pixels) {
  if (textCap_ == pixels) return;
  textCap_ = pixels;
  update();
}

void ControlButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  const bool replying = replyPhase_ >= 0;
  // A wrong answer shakes from side to side, less and less.
  if (replying && !replyRight_)
    painter.translate(std::sin(replyPhase_ * 6 * M_PI) * width() * 0.05 * (1 - replyPhase_), 0);
  QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const bool hotSpot = style_ == ButtonStyleHotSpot;
  const QPixmap& picture = picture_.Pixmap();
  const QColor color = TextColor();

  if (!hotSpot) {
    // A raised button; white texts get a dark background so that they stay legible. Over a
    // picture that background hugs the text, so that it hides no more of the picture than
    // the words do.
    const bool light = IsLight(textColor_) && !background_.isValid();
    if (light && picture.isNull() && stateIcon_.isNull() && !text().isEmpty()) {
      const int pad = std::max(4, TextFont().pixelSize() / 5);
      frame = QRectF(TextBounds().adjusted(-pad, -pad / 2, pad, pad / 2)) & frame;
    }
    QColor base = background_.isValid() ? background_ : light ? QColor(46, 64, 110, 200) : QColor(236, 236, 232, 230);
    if (dimmed_) base = QColor(190, 190, 190, base.alpha());
    if (isDown()) base = base.darker(125);
    else if (hover_) base = base.lighter(115);
    QLinearGradient gradient(frame.topLeft(), frame.bottomLeft());
    gradient.setColorAt(0, base.lighter(118));
    gradient.setColorAt(1, base.darker(112));
    painter.setPen(QPen(base.darker(160), 1.5));
    painter.setBrush(gradient);
    const qreal radius = std::min(12.0, std::min(frame.width(), frame.height()) / 5.0);
    painter.drawRoundedRect(frame, radius, radius);
  } else if (isDown() || hover_) {
    const qreal radius = std::min(12.0, std::min(frame.width(), frame.height()) / 5.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 45));
    painter.drawRoundedRect(frame, radius, radius);
  }
  const qreal radius = std::min(12.0, std::min(frame.width(), frame.height()) / 5.0);

  if (!picture.isNull()) {
    const QRectF inner = frame.adjusted(3, 3, -3, -3);
    QPainterPath clip;
    clip.addRoundedRect(inner, radius * 0.8, radius * 0.8);
    painter.save();
    painter.setClipPath(clip);
    const QRectF shown = ContainRect(picture.size(), inner);
    if (dimmed_) {
      // What is not there is shown grey and pale.
      painter.drawImage(shown, picture.toImage().convertToFormat(QImage::Format_Grayscale8));
      painter.fillRect(shown, QColor(255, 255, 255, 120));
    } else {
      painter.drawPixmap(shown, picture, QRectF(picture.rect()));
    }
    painter.restore();
  }

  if (!stateIcon_.isNull()) {
    // An icon alone is centred; with a text it stands at the left and the text beside it.
    const int side = std::min(width(), height()) / 2;
    QRect iconRect((width() - side) / 2, (height() - side) / 2, side, side);
    if (!text().isEmpty()) iconRect.moveLeft(height() / 6);
    stateIcon_.paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
  }

  if (!text().isEmpty())
    DrawFittedText(painter, TextRect(), text(), TextFont(), color, hotSpot || IsLight(color), litWord_);

  if (replying && replyRight_) {
    // A right answer: a bright ring opens out from the middle and fades.
    const QPointF centre = QRectF(rect()).center();
    const double reach = std::min(width(), height()) * (0.2 + 0.28 * replyPhase_);
    QColor ring(255, 214, 0, int(255 * (1 - replyPhase_ * 0.7)));
    painter.setPen(QPen(ring, std::max(4.0, std::min(width(), height()) / 14.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, reach, reach);
  }

  if (hasFocus()) {
    QPen pen(hotSpot ? QColor(255, 230, 80) : QColor(30, 90, 200), 3, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame.adjusted(2, 2, -2, -2), radius, radius);
  } else if (hotSpot && hover_) {
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, radius, radius);
  }
}

ControlImage::ControlImage(QWidget* parent) : QWidget(parent) {}

void ControlImage::SetPicture(const std::string& name) {
  // A page metafile is drawn by the player at the control's size; other pictures are decoded.
  if (IsMetafileName(name)) {
    const QString path = QString::fromStdString(name);
    if (metafile_ == path) return;
    metafile_ = path;
    update();
    return;
  }
  metafile_.clear();
  const bool changed = name != picture_.Name();
  picture_.Show(this, name, size());
  if (changed) update();
}

void ControlImage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (metafile_.isEmpty()) picture_.Show(this, picture_.Name(), size());
}

void ControlImage::paintEvent(QPaintEvent*) {
  if (!metafile_.isEmpty()) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    QPixmap page = RenderMetafile(metafile_, size() * ratio);
    page.setDevicePixelRatio(ratio);
    painter.drawPixmap(0, 0, page);
    return;
  }
  const QPixmap& picture = picture_.Pixmap();
  if (picture.isNull()) return;
  QPainter painter(this);
  // A picture decoded at the control's size is drawn as it is; a larger one is smoothed down.
  // It fills the control with its proportions kept.
  if (picture.size() != size() * devicePixelRatioF())
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawPixmap(QRectF(rect()), picture, CoverSource(picture.size(), size() * devicePixelRatioF()));
}

ControlLabel::ControlLabel(QWidget* parent) : QWidget(parent) {}

void ControlLabel::Apply(const ControlState& state, const QFont& font) {
  text_ = QString::fromStdString(state.text);
  font_ = font;
  color_ = ToQColor(state.def.font.color);
  if (!color_.isValid()) color_ = Qt::black;
  background_ = ToQColor(state.def.background);
  setToolTip(QString::fromStdString(state.def.tip));
  update();
}

QSize ControlLabel::sizeHint() const { return TextSize(font_, text_); }

QRect ControlLabel::TextBounds() const { return LayOutText(rect(), text_, font_, IsLight(color_)).bounds; }

void ControlLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isValid()) painter.fillRect(rect(), background_);
  DrawFittedText(painter, rect(), text_, font_, color_, IsLight(color_));
}

ControlRegion::ControlRegion(const WindowPtr& window, int number, QWidget* parent)
    : QWidget(parent), window_(window), number_(number) {
  setAttribute(Qt::WA_NoSystemBackground);
}

void ControlRegion::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  if (auto w = window_.lock()) PostInput(w, EventAccepted, number_);
}

void ControlRegion::enterEvent(QEnterEvent*) {
  if (auto w = window_.lock()) PostInput(w, EventMouseIn, number_);
}

void ControlRegion::leaveEvent(QEvent*) {
  if (auto w = window_.lock()) PostInput(w, EventMouseOut, number_);
}

QWidget* CreateControlWidget(const WindowPtr& window, const ControlState& state, const FontDef& windowFont,
                             QWidget* parent) {
  QWidget* widget = nullptr;
  const int number = state.number;
  std::weak_ptr<Window> weak = window;
  switch (state.def.type) {
    case TypeButton: {
      auto* button = new ControlButton(parent);
      QObject::connect(button, &QAbstractButton::clicked, button, [weak, number] {
        if (auto w = weak.lock()) PostInput(w, EventAccepted, number);
      });
      widget = button;
      break;
    }
    case TypeViewport:
      widget = new ControlViewport(window, number, parent);
      break;
    case TypeSpin:
    case TypeDropCombo:
    case TypeDropList:
      widget = CreateFieldWidget(window, state, parent);
      break;
    case TypeRegion:
      widget = new ControlRegion(window, number, parent);
      break;
    case TypeImage:
      widget = new ControlImage(parent);
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    case TypeCheck: {
      auto* check = new QCheckBox(parent);
      QObject::connect(check, &QCheckBox::toggled, check, [weak, number](bool on) {
        if (auto w = weak.lock()) {
          SetValue(w, number, on ? "1" : "0");
          PostInput(w, EventAccepted, number);
        }
      });
      widget = check;
      break;
    }
    case TypeEntry:
    case TypeText: {
      auto* entry = new QLineEdit(parent);
      QObject::connect(entry, &QLineEdit::editingFinished, entry, [weak, number, entry] {
        if (auto w = weak.lock()) {
          SetValue(w, number, entry->text().toStdString());
          PostInput(w, EventAccepted, number);
        }
      });
      widget = entry;
      break;
    }
    case TypeProgress: {
      auto* bar = new QProgressBar(parent);
      // A flat progress bar is a meter (a sound's level): no percentage is written on it.
      bar->setTextVisible(!state.def.flat);
      widget = bar;
      break;
    }
    case TypeRichText: {
      // A page of HTML: its value is a file to show, or the page itself when it starts with "<".
      auto* page = new QTextBrowser(parent);
      page->setOpenLinks(true);
      page->setOpenExternalLinks(false);
      widget = page;
      break;
    }
    case TypeBox:
    case TypeGroup:
    case TypePanel: {
      auto* frame = new QFrame(parent);
      frame->setFrameShape(QFrame::Box);
      frame->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget = frame;
      break;
    }
    case TypeList: {
      auto* list = new QTableWidget(parent);
      list->verticalHeader()->hide();
      list->setSelectionBehavior(QAbstractItemView::SelectRows);
      QStringList columns;
      for (const ControlDef& column : state.def.items) columns << QString::fromStdString(column.text);
      list->setColumnCount(std::max<int>(1, static_cast<int>(columns.size())));
      list->setHorizontalHeaderLabels(columns);
      list->horizontalHeader()->setStretchLastSection(true);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setEditTriggers(QAbstractItemView::NoEditTriggers);
      // The value of a list is its chosen row, from 1; 0 when none is chosen.
      QObject::connect(list, &QTableWidget::itemSelectionChanged, list, [weak, number, list] {
        if (auto w = weak.lock()) {
          const int row = list->selectionModel()->selectedRows().isEmpty() ? -1 : list->currentRow();
          SetValue(w, number, std::to_string(row + 1));
          PostInput(w, EventNewSelection, number);
        }
      });
      widget = list;
      break;
    }
    default:
      widget = new ControlLabel(parent);
      widget->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
  }
  widget->setProperty(kNumberProperty, number);
  UpdateControlWidget(widget, state, windowFont);
  return widget;
}

void UpdateControlWidget(QWidget* widget, const ControlState& state, const FontDef& windowFont) {
  const QFont font = MakeFont(state.def.font, windowFont);
  if (UpdateFieldWidget(widget, state, font)) {
  } else if (auto* button = qobject_cast<ControlButton*>(widget)) {
    button->Apply(state, font);
  } else if (auto* image = qobject_cast<ControlImage*>(widget)) {
    image->SetPicture(state.picture);
  } else if (auto* label = qobject_cast<ControlLabel*>(widget)) {
    label->Apply(state, font);
  } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    check->setFont(font);
    check->setText(QString::fromStdString(state.text));
    QSignalBlocker block(check);
    check->setChecked(state.value == "1");
  } else if (auto* entry = qobject_cast<QLineEdit*>(widget)) {
    entry->setFont(font);
    if (!entry->hasFocus()) entry->setText(QString::fromStdString(state.value));
  } else if (auto* page = qobject_cast<QTextBrowser*>(widget)) {
    if (page->property("wdrtShown").toString().toStdString() != state.value) {
      page->setProperty("wdrtShown", QString::fromStdString(state.value));
      if (!state.value.empty() && state.value[0] == '<')
        page->setHtml(QString::fromStdString(state.value));
      else
        page->setSource(QUrl::fromLocalFile(QString::fromStdString(state.value)));
    }
  } else if (auto* progress = qobject_cast<QProgressBar*>(widget)) {
    progress->setValue(std::atoi(state.value.c_str()));
  } else if (auto* list = qobject_cast<QTableWidget*>(widget)) {
    // A list's rows are its text: one line a row, a tab between the columns.
    const QStringList rows = QString::fromStdString(state.text).split('\n', Qt::SkipEmptyParts);
    list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
      const QStringList cells = rows[r].split('\t');
      for (int c = 0; c < cells.size() && c < list->columnCount(); ++c)
        list->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    const int chosen = std::atoi(state.value.c_str());
    if (chosen >= 1 && chosen <= list->rowCount() && list->currentRow() != chosen - 1) {
      QSignalBlocker block(list);
      list->selectRow(chosen - 1);
    }
  }
  widget->setToolTip(QString::fromStdString(state.def.tip));
  if (!state.def.cursor.empty())
    widget->setCursor(state.def.cursor.rfind("~hand", 0) == 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
  else if (widget->testAttribute(Qt::WA_SetCursor))
    widget->unsetCursor();
  const QColor color = ToQColor(state.def.font.color);
  if (color.isValid() && !qobject_cast<ControlButton*>(widget) && !qobject_cast<ControlLabel*>(widget)) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
  }
  widget->setGeometry(PixelRect(state, widget));
  // Pictures are asked for once the control has its size, so that they are decoded at it.
  if (auto* image = qobject_cast<ControlImage*>(widget)) image->SetPicture(state.picture);
  if (auto* button = qobject_cast<ControlButton*>(widget)) button->ShowPicture();
  widget->setEnabled(!state.disabled);
  widget->setVisible(!state.hidden);
  if (auto* viewport = qobject_cast<ControlViewport*>(widget)) viewport->Apply(state);
}

}  // namespace wdrt::view
