// A menu program from start to end: help file, error manager, settings file, the media
// library's start, full-window dragging off for the run, the menu procedure, then everything
// closed in the reverse order. Called once from the program's main().
#pragma once

#include <functional>
#include <string>

namespace menus {

// The web site whose pages the menus open, and the address "Email Us" writes to.
inline constexpr const char* kSiteAddress = "https://www.storyloom.example/";
inline constexpr const char* kContactAddress = "hello@storyloom.example";

// `iniFile` is the program's settings file ("atrium.INI"); `menu` runs the menu window.
int RunMenuProgram(int argc, char** argv, const std::string& iniFile, std::function<void()> menu);

}  // namespace menus
