// Number fields with up and down arrows (spin) and entries with a list of values (drop combo).
// Typing ends in an accepted event; an arrow or a chosen value is a new selection (spin) or
// an accepted event (combo). GUI thread only.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include "runtime/core/Window.h"

namespace wdrt::view {

// Null for other control types.
QWidget* CreateFieldWidget(const WindowPtr& window, const ControlState& state, QWidget* parent);
// False when `widget` is not a field widget.
bool UpdateFieldWidget(QWidget* widget, const ControlState& state, const QFont& font);
// The entry part where a user types: the widget itself for an entry, else its inner entry.
QLineEdit* TypingEntry(QWidget* widget);
// After typing into TypingEntry: tells the field that editing is done.
void FinishTyping(QWidget* widget);

}  // namespace wdrt::view
