#include "books/common/BookTables.h"

namespace book {
namespace {

struct Place {
  int control;
  int x;
  int y;
};

// Page buttons are 52 units wide and 23 high; the rows start at y = 1 and y = 24.
constexpr Place kPagePlaces[] = {
    {-10, 1, 1},   {-11, 54, 1},   {-12, 107, 1},  {-13, 160, 1},  {-20, 213, 1},
    {-18, 1, 24},  {-17, 54, 24},  {-19, 107, 24}, {-16, 160, 24}, {-15, 213, 24},
};

}  // namespace

std::vector<ToolbarButton> StandardToolbar(const std::vector<PageButton>& pages) {
  std::vector<ToolbarButton> toolbar;
  for (const Place& place : kPagePlaces) {
    for (const PageButton& page : pages) {
      if (page.control != place.control) continue;
      ToolbarButton button;
      button.control = page.control;
      button.text = page.text;
      button.pos = {place.x, place.y, 52, 23};
      button.module = page.module;
      toolbar.push_back(button);
    }
  }
  ToolbarButton print;
  print.control = -14;
  print.pos = {270, 1, 47, 23};
  print.print = true;
  toolbar.push_back(print);
  ToolbarButton exit;
  exit.control = -21;
  exit.text = "Exit";
  exit.pos = {270, 25, 47, 23};
  exit.exit = true;
  toolbar.push_back(exit);
  return toolbar;
}

}  // namespace book
