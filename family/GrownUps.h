// The grown-ups' window ("Grown-ups"): the child's name and how to say it, the children to print
// for, the narration voice, the volumes and mute, read-along, kiosk mode at start and the paper.
// OK keeps the choices in the suite's settings file and makes the sounds that say a new name;
// Cancel keeps nothing. Runs on the thread that calls it; one window per program at a time.
#pragma once

#include <string>

#include "runtime/core/WindowDef.h"

namespace book {

// The File menu item that opens the window, in every book and menu.
inline constexpr const char* kGrownUpsItemText = "&Grown-ups...";

// Opens the window for the program whose own settings file is `programIniFile` and waits until
// it is closed. Returns at once when the window is already open.
void GrownUpsWindow(const std::string& programIniFile);

// The window's definition, its fields filled from the settings.
wdrt::WindowDef GrownUpsWindowDef();

}  // namespace book
