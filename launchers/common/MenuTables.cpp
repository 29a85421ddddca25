#include "launchers/common/MenuTables.h"

#include "family/GrownUps.h"
#include "launchers/common/MenuProgram.h"
#include "runtime/core/Threads.h"

namespace menus {

wdrt::ControlDef Menu(int number, const std::string& text, std::vector<wdrt::ControlDef> items) {
  wdrt::ControlDef menu;
  menu.type = wdrt::TypeMenu;
  menu.number = number;
  menu.text = text;
  menu.items = std::move(items);
  return menu;
}

wdrt::ControlDef Item(int number, const std::string& text, const std::string& tip, wdrt::StdAction action) {
  wdrt::ControlDef item;
  item.type = wdrt::TypeItem;
  item.number = number;
  item.text = text;
  item.tip = tip;
  item.action = action;
  return item;
}

wdrt::ControlDef GrownUpsItem() {
  return Item(kGrownUpsItem, book::kGrownUpsItemText, "The child's name, the children to print for, sound and paper");
}

void OpenGrownUps() {
  // The menus have no settings of their own: the window shows and keeps the suite's.
  wdrt::Start([] { book::GrownUpsWindow(""); }, 25000);
}

wdrt::ControlDef Button(int number, const std::string& text, const wdrt::Geometry& pos, const wdrt::FontDef& font) {
  wdrt::ControlDef button;
  button.type = wdrt::TypeButton;
  button.number = number;
  button.text = text;
  button.pos = pos;
  button.font = font;
  return button;
}

std::string SitePage(const std::string& path) { return std::string(kSiteAddress) + path; }

}  // namespace menus
