// The numbered file warnings of the book and menu programs: builds the error text from the
// calling thread's runtime error state, shows the message and returns the button, or ends the
// program for the warnings that end it. Called on the procedure thread that met the file trouble.
#pragma once

#include <string>

// Warning numbers the programs use.
enum StandardWarningNumber : int {
  WarnInvalidFile = 1,
  WarnInvalidKey = 2,
  WarnRebuildError = 3,
  WarnCreateError = 4,
  WarnCreateOpenError = 5,
  WarnFileAccess = 30,
  WarnRecordRetrieval = 35,
  WarnViewOpen = 36,
};

// Exit code of HALT for the warnings that end the program.
inline constexpr int kWarningHaltCode = 1;

// "<error text> (<code>)", from the driver's text and code when the error is 90; cut to 150.
std::string StandardWarningErrorText();

// Shows warning `number`; returns the button pressed (0 for a number it does not know).
int StandardWarning(int number, const std::string& fileText, const std::string& extraText = "");
