// The menus' notice window: a small window with three lines of notice and an OK button that
// closes itself on a click, when it loses the focus, or after its timer. Each one runs on a
// thread of its own (STARTed by the menu's "About").
#pragma once

#include "runtime/core/WindowDef.h"

namespace menus {

// Runs one notice window until it closes. With picture buttons (the main menu's), its button
// gets the picture-button look.
void NoticeWindow(bool pictureButtons);

wdrt::WindowDef NoticeWindowDef();

// The notice window's timer, in hundredths of a second.
constexpr int kNoticeTimer = 2000;

}  // namespace menus
