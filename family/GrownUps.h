// The grown-ups' window ("Grown-ups"): the child's name and how to say it, the children to print
// for, the narration voice, the volumes and mute, read-along, kiosk mode at start, the paper,
// and a parent's own recordings (used or not, and the recorder).
// OK keeps the choices in the suite's settings file and makes the sounds that say a new name;
// Cancel keeps nothing. Runs on the thread that calls it; one window per program at a time.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/WindowDef.h"

namespace book {

// The File menu item that opens the window, in every book and menu.
inline constexpr const char* kGrownUpsItemText = "&Grown-ups...";

// Opens the window for the program whose own settings file is `programIniFile` and waits until
// it is closed. `recordVoice` opens a book's recorder over it; without one (in the menus) the
// button is unavailable. Returns at once when the window is already open.
void GrownUpsWindow(const std::string& programIniFile, const std::function<void()>& recordVoice = {});

// The window's definition, its fields filled from the settings.
wdrt::WindowDef GrownUpsWindowDef();

}  // namespace book
