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

PageControl Row(Role role, std::string use, std::string text, std::string picture, wdrt::Geometry pos,
                std::string sound, int next) {
  PageControl c;
  c.role = role;
  c.use = std::move(use);
  c.text = std::move(text);
  c.picture = std::move(picture);
  c.pos = pos;
  c.sound = std::move(sound);
  c.next = next;
  return c;
}

PageControl Styled(PageControl c, Look look) {
  c.points = look.points;
  c.color = look.color;
  c.tip = std::move(look.tip);
  c.face = std::move(look.face);
  c.right = look.right;
  return c;
}

PageDef StoryPage(int module, std::string procedure, int narration, std::vector<PageControl> controls) {
  PageDef page;
  page.module = module;
  page.procedure = std::move(procedure);
  page.narration = narration;
  page.controls = std::move(controls);
  return page;
}

PageDef QuestionPage(int module, std::string procedure, wdrt::Rgb background, int width, int height, int narration,
                     std::vector<PageControl> controls, std::vector<std::pair<int, std::string>> pictureButtons) {
  PageDef page = StoryPage(module, std::move(procedure), narration, std::move(controls));
  page.background = background;
  page.width = width;
  page.height = height;
  page.pictureButtons = std::move(pictureButtons);
  return page;
}

}  // namespace book
