// The alphabet menu `letters`: a borderless, eight-cornered window with a button for each
// letter; each starts that letter's book as a program of its own. Main procedure's thread.
#pragma once

#include <string>

#include "runtime/core/WindowDef.h"

namespace letters {

void Main();

wdrt::WindowDef MenuWindowDef();

// The command a letter button RUNs, as stored; "" for other controls.
std::string LetterCommand(int control);

}  // namespace letters
