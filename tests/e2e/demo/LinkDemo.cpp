// A window of links for the end-to-end tests: an entry whose typed text is opened as a link
// (a web address or, with "@", a mail address), and a text with an overlay link.
#include "framework/WindowController.h"
#include "launchers/common/LinkManager.h"
#include "runtime/core/Runtime.h"
#include "runtime/view/Program.h"

namespace {

wdrt::WindowDef LinkWindow() {
  wdrt::WindowDef def;
  def.title = "Links";
  def.size = {0, 0, 200, 60};
  wdrt::ControlDef entry;
  entry.type = wdrt::TypeEntry;
  entry.use = "?TARGET";
  entry.pos = {10, 10, 180, 14};
  wdrt::ControlDef text;
  text.type = wdrt::TypeString;
  text.use = "?HOME";
  text.text = "https://www.storyloom.example/home.htm";
  text.pos = {10, 34, 180, 12};
  text.font = {"Arial", 9, false, wdrt::MakeRgb(0, 0, 200)};
  def.controls = {entry, text};
  return def;
}

class LinkWindowController : public WindowController {
 public:
  int Init() override {
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    window = wdrt::Open(LinkWindow());
    links.Init(0, true);
    links.AddLink(1, "", true);
    links.AddLink(2, "", false, 0, false, 1, false, wdrt::MakeRgb(255, 0, 0), true);
    links.SetLinkUrl(2, "", true);
    return LevelOk;
  }
  int OnEvent() override {
    links.OnEvent();
    return WindowController::OnEvent();
  }

 private:
  LinkManager links;
};

}  // namespace

int main(int argc, char** argv) {
  return wdrt::RunProgram(argc, argv, [] {
    LinkWindowController controller;
    controller.Run();
    wdrt::Close(controller.window);
  });
}
