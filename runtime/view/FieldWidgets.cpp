#include "runtime/view/FieldWidgets.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include "runtime/core/Runtime.h"

namespace wdrt::view {

QWidget* CreateFieldWidget(const WindowPtr& window, const ControlState& state, QWidget* parent) {
  std::weak_ptr<Window> weak = window;
  const int number = state.number;
  if (state.def.type == TypeSpin) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(0, 9999);
    spin->setKeyboardTracking(false);
    QObject::connect(spin, &QSpinBox::editingFinished, spin, [weak, number, spin] {
      if (auto w = weak.lock()) {
        SetValue(w, number, spin->text().toStdString());
        PostInput(w, EventAccepted, number);
      }
    });
    // Without keyboard tracking this comes from the arrows, or once when typing ends.
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [weak, number](int value) {
      if (auto w = weak.lock()) {
        SetValue(w, number, std::to_string(value));
        PostInput(w, EventNewSelection, number);
      }
    });
    return spin;
  }
  if (state.def.type == TypeDropList) {
    // A choice among fixed values: the value is the text of the chosen item.
    auto* combo = new QComboBox(parent);
    for (const ControlDef& item : state.def.items) combo->addItem(QString::fromStdString(item.text));
    QObject::connect(combo, &QComboBox::activated, combo, [weak, number, combo] {
      if (auto w = weak.lock()) {
        SetValue(w, number, combo->currentText().toStdString());
        PostInput(w, EventAccepted, number);
      }
    });
    return combo;
  }
  if (state.def.type == TypeDropCombo) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const ControlDef& item : state.def.items) combo->addItem(QString::fromStdString(item.text));
    auto accept = [weak, number, combo] {
      if (auto w = weak.lock()) {
        SetValue(w, number, combo->currentText().toStdString());
        PostInput(w, EventAccepted, number);
      }
    };
    QObject::connect(combo, &QComboBox::activated, combo, accept);
    QObject::connect(combo->lineEdit(), &QLineEdit::editingFinished, combo, accept);
    return combo;
  }
  return nullptr;
}

bool UpdateFieldWidget(QWidget* widget, const ControlState& state, const QFont& font) {
  if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
    spin->setFont(font);
    if (!spin->hasFocus()) {
      QSignalBlocker block(spin);
      spin->setValue(std::atoi(state.value.c_str()));
    }
    return true;
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setFont(font);
    if (!combo->isEditable()) {
      QSignalBlocker block(combo);
      const int index = combo->findText(QString::fromStdString(state.value));
      if (index >= 0) combo->setCurrentIndex(index);
    } else if (!combo->hasFocus()) {
      QSignalBlocker block(combo);
      combo->setEditText(QString::fromStdString(state.value));
    }
    return true;
  }
  return false;
}

QLineEdit* TypingEntry(QWidget* widget) {
  if (auto* entry = qobject_cast<QLineEdit*>(widget)) return entry;
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) return spin->findChild<QLineEdit*>();
  return nullptr;
}

bool ChooseByTyping(QWidget* widget, const std::string& text) {
  const QString wanted = QString::fromStdString(text);
  if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable()) {
    const int index = combo->findText(wanted, Qt::MatchFixedString);
    if (index < 0) return false;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return true;
  }
  if (auto* list = qobject_cast<QTableWidget*>(widget)) {
    const QList<QTableWidgetItem*> found = list->findItems(wanted, Qt::MatchFixedString);
    for (QTableWidgetItem* item : found) {
      if (item->column() != 0) continue;
      list->selectRow(item->row());
      return true;
    }
  }
  return false;
}

void FinishTyping(QWidget* widget) {
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
    emit spin->editingFinished();
    return;
  }
  if (QLineEdit* entry = TypingEntry(widget)) emit entry->editingFinished();
}

}  // namespace wdrt::view
