// A window with two links for the hyperlink control's end-to-end test: a text that turns red
// while the mouse is over it, and a list whose second column is a link. Hover is polled on
// the window's timer. Journals `link-colour <rgb>` when the text's colour changes and
// `link-hover <column> <state>` when the list column under the mouse changes.
#include <cstdio>

#include "launchers/common/LinkManager.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/view/Program.h"

namespace {

class JournalledLinks : public LinkManager {
 public:
  void OnHover(std::int32_t, std::int32_t column, std::int32_t state, std::int32_t) override {
    wdrt::JournalLine("link-hover " + std::to_string(column) + " " + std::to_string(state));
  }
};

std::string Hex(wdrt::Rgb colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(colour));
  return text;
}

wdrt::WindowDef LinksWindow() {
  wdrt::WindowDef def;
  def.module = "linksdemo";
  def.title = "Links";
  def.size = {0, 0, 220, 120};
  wdrt::ControlDef text;
  text.type = wdrt::TypeString;
  text.text = "Storyloom on the web";
  text.pos = {10, 10, 120, 16};
  text.font = {"Arial", 16, true, wdrt::MakeRgb(0, 0, 200)};
  wdrt::ControlDef list;
  list.type = wdrt::TypeList;
  list.pos = {10, 50, 160, 40};
  wdrt::ControlDef name, mail;
  name.pos.width = 60;
  mail.pos.width = 100;
  list.items = {name, mail};
  def.controls = {text, list};
  return def;
}

}  // namespace

int main(int argc, char** argv) {
  return wdrt::RunProgram(argc, argv, [] {
    const wdrt::WindowPtr window = wdrt::Open(LinksWindow());
    wdrt::SetValue(window, 2, "Ann\tann@storyloom.example");
    JournalledLinks links;
    links.Init(wdrt::EventTimer, false);
    links.AddLink(1, "https://www.storyloom.example/", false, 0, true, 0, false, wdrt::MakeRgb(230, 0, 0), true);
    links.AddLink(2, "2");
    wdrt::Rgb shown = window->Control(1)->def.font.color;
    wdrt::Event event;
    while (wdrt::Accept(window, event)) {
      links.OnEvent();
      if (const wdrt::Rgb now = window->Control(1)->def.font.color; now != shown) {
        shown = now;
        wdrt::JournalLine("link-colour " + Hex(now));
      }
      wdrt::DefaultHandling(window, event);
    }
  });
}
