// A small program of the runtime alone: a frame with a toolbar whose buttons open child
// windows, each showing a picture with a large white text button over it. The end-to-end
// tests drive it; run.sh shows it where no book is built.
#include <cstdio>

#include "framework/WindowController.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"
#include "runtime/dialogs/Message.h"
#include "runtime/view/Program.h"

namespace {

using namespace wdrt;

WindowDef ChildDef(const std::string& picture) {
  WindowDef def;
  def.kind = WindowKind::MdiChild;
  def.title = "Demo Page";
  def.size = {0, 0, 200, 130};
  def.background = MakeRgb(40, 90, 160);
  ControlDef image;
  image.type = TypeImage;
  image.use = "?IMAGE1";
  image.picture = picture;
  image.pos = {0, 0, 200, 130};
  ControlDef say;
  say.type = TypeButton;
  say.use = "?SAY";
  say.text = "Hello  there!";
  say.tip = "Say hello";
  say.pos = {20, 10, 160, 40};
  say.font = {"Arial", 28, true, kWhite};
  ControlDef next;
  next.type = TypeButton;
  next.use = "?NEXT";
  next.text = "Next";
  next.pos = {130, 95, 65, 30};
  next.font = {"Arial", 20, true, kWhite};
  ControlDef ask;
  ask.type = TypeButton;
  ask.use = "?ASK";
  ask.text = "Ask";
  ask.pos = {5, 95, 50, 30};
  ControlDef name;
  name.type = TypeEntry;
  name.use = "?NAME";
  name.pos = {60, 100, 60, 14};
  def.controls = {image, say, next, ask, name};
  return def;
}

class ChildController : public WindowController {
 public:
  explicit ChildController(std::string picture) : picture_(std::move(picture)) {}
  int Init() override {
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    window = Open(ChildDef(picture_));
    OPENED = 1;
    return LevelOk;
  }
  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    const int control = CurrentEvent().control;
    if (control == window->FindByUse("?NEXT")) {
      std::string picture = picture_;
      Start([picture] { ChildController(picture).Run(); });
    } else if (control == window->FindByUse("?NAME")) {
      // Echo what was typed so that a script can see the entry's value reach the procedure.
      SetText(window, 0, "Demo Page " + GetValue(window, control));
    } else if (control == window->FindByUse("?ASK")) {
      Message("Do you like this page?|Press a button.", "Question", IconQuestion, ButtonYes | ButtonNo, ButtonYes);
    }
    return level;
  }
  int Kill() override {
    const int level = WindowController::Kill();
    if (level != LevelOk) return level;
    Close(window);
    return LevelOk;
  }

 private:
  std::string picture_;
};

WindowDef FrameDef() {
  WindowDef def;
  def.kind = WindowKind::Frame;
  def.title = "Storyloom Demo";
  def.size = {0, 0, 317, 219};
  ControlDef file;
  file.type = TypeMenu;
  file.text = "&File";
  ControlDef exit;
  exit.type = TypeItem;
  exit.text = "E&xit";
  exit.tip = "Exit this application";
  exit.action = StdAction::CloseWindow;
  file.items = {exit};
  ControlDef window;
  window.type = TypeMenu;
  window.text = "&Window";
  ControlDef tile;
  tile.type = TypeItem;
  tile.text = "T&ile";
  tile.action = StdAction::TileWindow;
  ControlDef cascade;
  cascade.type = TypeItem;
  cascade.text = "&Cascade";
  cascade.action = StdAction::CascadeWindow;
  window.items = {tile, cascade};
  def.menu = {file, window};
  ControlDef open;
  open.type = TypeButton;
  open.text = "Open";
  open.number = -10;
  open.pos = {1, 1, 52, 23};
  open.font = {"Arial", 14, true, MakeRgb(0, 128, 0)};
  ControlDef quit;
  quit.type = TypeButton;
  quit.text = "Exit";
  quit.number = -21;
  quit.icon = "ICON:Exit";
  quit.pos = {270, 1, 47, 23};
  quit.font = {"Arial", 10, true, kBlack};
  quit.action = StdAction::CloseWindow;
  def.toolbar = {open, quit};
  return def;
}

class FrameController : public WindowController {
 public:
  explicit FrameController(std::string picture) : picture_(std::move(picture)) {}
  int Init() override {
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    window = Open(FrameDef());
    OPENED = 1;
    return LevelOk;
  }
  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    if (CurrentEvent().control == -10) {
      std::string picture = picture_;
      Start([picture] { ChildController(picture).Run(); }, 25000);
    }
    return level;
  }
  int Kill() override {
    const int level = WindowController::Kill();
    if (level != LevelOk) return level;
    Close(window);
    return LevelOk;
  }

 private:
  std::string picture_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string picture = argc > 1 ? argv[1] : "";
  return RunProgram(argc, argv, [picture] { FrameController(picture).Run(); });
}
