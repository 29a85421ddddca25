// Small builders for the menu windows' tables: menus, items, buttons and texts.
// Plain data; any thread.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/WindowDef.h"

namespace menus {

wdrt::ControlDef Menu(int number, const std::string& text, std::vector<wdrt::ControlDef> items);
wdrt::ControlDef Item(int number, const std::string& text, const std::string& tip = "",
                      wdrt::StdAction action = wdrt::StdAction::None);
wdrt::ControlDef Button(int number, const std::string& text, const wdrt::Geometry& pos, const wdrt::FontDef& font);

// A link's address on the publisher's web site ("" is the home page).
std::string SitePage(const std::string& path);

}  // namespace menus
