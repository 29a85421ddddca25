// The main menu `atrium`: a borderless, rounded window with a picture button for each book;
// each button starts its book as a program of its own. Runs on the main procedure's thread.
#pragma once

#include <string>

#include "runtime/core/WindowDef.h"

namespace atrium {

// The menu procedure: runs the menu window until the user exits it.
void Main();

wdrt::WindowDef MenuWindowDef();

// The command each book button RUNs, "" for controls that are not book buttons.
std::string BookCommand(int control);

}  // namespace atrium
