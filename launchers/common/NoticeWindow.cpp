#include "launchers/common/NoticeWindow.h"

#include <memory>

#include "framework/PictureButtonClass.h"
#include "framework/ToolbarRelay.h"
#include "framework/WindowController.h"
#include "launchers/common/MenuGlobals.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/WindowShape.h"

namespace menus {
namespace {

class NoticeController : public WindowController {
 public:
  explicit NoticeController(bool pictureButtons) : pictureButtons_(pictureButtons) {}

  int Init() override {
    MenuGlobals& g = Globals();
    g.errors.PushProcedure("NoticeWindow");
    REQUEST = g.GlobalRequest;
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    g.GlobalRequest = 0;
    g.GlobalResponse = 0;
    AttachToolbar(&relay_);
    FIRSTFIELD = 1;
    window = wdrt::Open(NoticeWindowDef());
    OPENED = 1;
    if (pictureButtons_) {
      buttons_ = std::make_unique<PICBUTTONCLASS>();
      buttons_->INIT(window, "", 0);
      buttons_->SETLASTCONTROL(350);
      buttons_->SHOWBUTTONS();
    }
    wdrt::SetTimer(window, kNoticeTimer);
    // The alert keys of the mouse: any button pressed on the window closes it.
    wdrt::SetButtonEvents(window, true);
    ArmAlertKeys();
    return LevelOk;
  }

  int OnWindowEvent() override {
    const int level = WindowController::OnWindowEvent();
    switch (wdrt::CurrentEvent().number) {
      case wdrt::EventLeftButtonDown:
      case wdrt::EventRightButtonDown:
      case wdrt::EventLoseFocus:
      case wdrt::EventTimer:
        wdrt::PostToWindow(window, wdrt::EventCloseWindow);
        break;
      default:
        break;
    }
    return level;
  }

  int Kill() override {
    const int level = WindowController::Kill();
    if (level != LevelOk) return level;
    if (buttons_) buttons_->KILL();
    Globals().errors.PopProcedure();
    return LevelOk;
  }

 private:
  bool pictureButtons_;
  ToolbarRelay relay_;
  std::unique_ptr<PICBUTTONCLASS> buttons_;
};

wdrt::ControlDef Line(const std::string& text, int y) {
  wdrt::ControlDef c;
  c.type = wdrt::TypeString;
  c.text = text;
  c.pos = {10, y, 200, 10};
  c.font = {"Arial", 9, false, wdrt::MakeRgb(40, 40, 90)};
  return c;
}

}  // namespace

wdrt::WindowDef NoticeWindowDef() {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = "NoticeWindow";
  def.title = "About Storyloom";
  def.size = {0, 0, 220, 78};
  def.font = {"Arial", 9, false, wdrt::kColorNone};
  def.background = wdrt::MakeRgb(255, 250, 230);
  def.resizable = false;
  def.controls = {
      Line("Storyloom picture books: stories read aloud for young children.", 8),
      Line("Made for one child, with pictures and voices made for the books.", 20),
      Line("Visit www.storyloom.example for more books and activities.", 32),
  };
  wdrt::ControlDef ok;
  ok.type = wdrt::TypeButton;
  ok.use = "?OK";
  ok.text = "OK";
  ok.pos = {85, 54, 50, 16};
  ok.action = wdrt::StdAction::CloseWindow;
  def.controls.push_back(ok);
  return def;
}

void NoticeWindow(bool pictureButtons) {
  NoticeController notice(pictureButtons);
  Globals().GlobalResponse = notice.Run();
  wdrt::Close(notice.window);
}

}  // namespace menus
