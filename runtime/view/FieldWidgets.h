// Number fields with up and down arrows (spin), entries with a list of values (drop combo) and
// choices among fixed values (drop list).
// Typing ends in an accepted event; an arrow or a chosen value is a new selection (spin) or
// an accepted event (combo). GUI thread only.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <string>

#include "runtime/core/Window.h"

namespace wdrt::view {

// Null for other control types.
QWidget* CreateFieldWidget(const WindowPtr& window, const ControlState& state, QWidget* parent);
// False when `widget` is not a field widget.
bool UpdateFieldWidget(QWidget* widget, const ControlState& state, const QFont& font);
// The entry part where a user types: the widget itself for an entry, else its inner entry.
QLineEdit* TypingEntry(QWidget* widget);
// Typing into a drop list or a list chooses the item or row that has the typed text, as a
// user's typing jumps to it. False when the widget is neither or nothing has the text.
bool ChooseByTyping(QWidget* widget, const std::string& text);
// After typing into TypingEntry: tells the field that editing is done.
void FinishTyping(QWidget* widget);

}  // namespace wdrt::view
