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

// File ▸ Grown-ups..., which opens the grown-ups' window; its number is below every other.
inline constexpr int kGrownUpsItem = -1990;
wdrt::ControlDef GrownUpsItem();
// Opens the grown-ups' window on a thread of its own, so that the menu goes on meanwhile.
void OpenGrownUps();

// A link's address on the publisher's web site ("" is the home page).
std::string SitePage(const std::string& path);

}  // namespace menus
