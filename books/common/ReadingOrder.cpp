#include "books/common/ReadingOrder.h"

#include <set>

#include "books/common/PageProcedure.h"

namespace book {
namespace {

std::vector<const PageDef*> PagesInReadingOrder(const BookDef& book) {
  std::vector<const PageDef*> order;
  std::set<int> seen;
  const auto follow = [&](int module) {
    for (const PageDef* page = book.Page(module); page && seen.insert(page->module).second;) {
      order.push_back(page);
      const PageDef* next = nullptr;
      for (const PageControl& row : page->controls)
        if (row.role == Role::Next) next = book.Page(row.next);
      page = next;
    }
  };
  for (const ToolbarButton& button : book.toolbar)
    if (button.module != 0) {
      follow(button.module);
      break;
    }
  for (const PageDef& page : book.pages) follow(page.module);
  return order;
}

}  // namespace

std::vector<TextToRecord> TextsInReadingOrder(const BookDef& book) {
  std::vector<TextToRecord> texts;
  int number = 0;
  for (const PageDef* page : PagesInReadingOrder(book)) {
    ++number;
    const auto add = [&](const PageControl& row) {
      if (PlaysSound(row.role) && !row.sound.empty()) texts.push_back({row.sound, number});
    };
    const int count = static_cast<int>(page->controls.size());
    if (page->narration >= 1 && page->narration <= count) add(page->controls[page->narration - 1]);
    for (int i = 1; i <= count; ++i)
      if (i != page->narration && page->controls[i - 1].role != Role::Answer) add(page->controls[i - 1]);
    for (const PageControl& row : page->controls)
      if (row.role == Role::Answer) add(row);
  }
  return texts;
}

}  // namespace book
