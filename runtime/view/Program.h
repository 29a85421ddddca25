// Program start: the GUI thread, the view, the scripted driver and procedure thread 1, which
// runs the program's main procedure. Called once from main().
#pragma once

#include <functional>

namespace wdrt {

// Runs `mainProcedure` on procedure thread 1 while this (the GUI) thread shows the windows.
// Returns the program's exit code: 0 when the main procedure returns, HALT's code otherwise.
// Without a display it explains how to run the program and returns 2.
int RunProgram(int argc, char** argv, std::function<void()> mainProcedure);

// True when a display (X11, Wayland, or a Qt platform chosen by QT_QPA_PLATFORM) is there.
bool HasDisplay();

}  // namespace wdrt
