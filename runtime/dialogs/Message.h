// MESSAGE: a message box with caption, icon and buttons; "|" in the text breaks a line.
// Called from a procedure thread, which waits for the answer while the GUI thread shows it.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/ViewPort.h"

namespace wdrt {

// Returns the button pressed (ButtonOk, ButtonYes ...). Without a view the scripted answer
// (tests) or else the default button is returned. Writes
// `message "<caption>" "<text>" -> <button>` to the journal.
int Message(const std::string& text, const std::string& caption, int icon = 0,
            int buttons = ButtonOk, int defaultButton = 0);

// Tests without a view answer message boxes through this; null restores the default.
void SetMessageAnswerer(std::function<int(const MessageRequest&)> answerer);

// The button named in scripts and journals: "Ok", "Yes", "No" ...; 0 for an unknown name.
int ButtonFromName(const std::string& name);
std::string ButtonName(int button);

}  // namespace wdrt
