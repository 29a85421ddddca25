#include "launchers/atrium/AtriumMenu.h"

#include <memory>

#include "framework/PictureButtonClass.h"
#include "framework/WindowResizer.h"
#include "launchers/common/MenuGlobals.h"
#include "launchers/common/MenuProgram.h"
#include "launchers/common/MenuTables.h"
#include "launchers/common/MenuWindow.h"
#include "launchers/common/NoticeWindow.h"
#include "launchers/common/PriceList.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"
#include "runtime/os/Process.h"

namespace atrium {
namespace {

using menus::Button;
using menus::Item;
using menus::SitePage;
using wdrt::StdAction;

constexpr int kSnailMail = 11;
constexpr int kAbout = 16;
constexpr int kLastPictureButton = 250;

struct BookButton {
  int control;
  const char* picture;
  const char* command;
  const char* tip;
};
constexpr BookButton kBooks[] = {
    {18, "flagmn.jpg", "banners.exe ", "Flags of the world"},
    {19, "scmain.jpg", "campus.exe ", "Off to school"},
    {21, "fetemain.jpg", "fete.exe ", "The birthday party"},
    {22, "smain.jpg", "nimbus.exe ", "Weather and seasons"},
};

// The resizer of the menu window: after its own moves the picture buttons follow.
class MenuResizer : public WindowResizer {
 public:
  PICBUTTONCLASS* buttons = nullptr;
  void OnSized() override {
    WindowResizer::OnSized();
    if (buttons) buttons->RESIZE();
  }
  void Rearrange(std::int32_t control) override {
    WindowResizer::Rearrange(control);
    if (buttons) buttons->RESIZE();
  }
};

class AtriumWindow : public menus::MenuWindow {
 public:
  AtriumWindow() : MenuWindow("Main") {}

  int Init() override {
    const int level = BeginInit();
    if (level != LevelOk) return level;
    FIRSTFIELD = 18;
    OpenShaped(MenuWindowDef(), BookCommand);
    buttons_ = std::make_unique<PICBUTTONCLASS>();
    buttons_->INIT(window, "", 0);
    buttons_->SETLASTCONTROL(kLastPictureButton);
    for (const BookButton& book : kBooks) buttons_->ADDBUTTON(book.control, book.picture);
    buttons_->SHOWBUTTONS();
    links.Init(0, true);
    AddLinks({{4, SitePage("")},
              {6, SitePage("resources.htm")},
              {8, SitePage("discus/")},
              {10, SitePage("price.htm")},
              {15, SitePage("discus/")},
              {12, std::string(menus::kContactAddress)},
              {5, SitePage("price.htm")},
              {7, SitePage("activities.htm")}});
    links.Place();
    resizer_.Init(window, 0, false, false);
    resizer_.buttons = buttons_.get();
    AttachResizer(&resizer_);
    ArmAlertKeys();
    return LevelOk;
  }

  int OnAccepted() override {
    const int control = wdrt::CurrentEvent().control;
    if (control == kAbout) wdrt::Start([] { menus::NoticeWindow(true); }, 25000);
    if (control == kSnailMail) menus::Htmlreport();
    if (control == menus::kGrownUpsItem) menus::OpenGrownUps();
    const int level = WindowController::OnAccepted();
    for (const BookButton& book : kBooks) {
      if (book.control != control) continue;
      StartBook(book.command, book.tip);
      Reset(1);
    }
    return level;
  }

  int Kill() override {
    const int level = MenuWindow::Kill();
    if (level != LevelOk) return level;
    if (buttons_) {
      buttons_->KILL();
      resizer_.buttons = nullptr;
      buttons_.reset();
    }
    return LevelOk;
  }

 protected:
  wdrt::WindowRegion Shape(int width, int height) const override { return menus::RoundedMenuShape(width, height); }
  std::string Caption() const override { return "Blockwork"; }

 private:
  std::unique_ptr<PICBUTTONCLASS> buttons_;
  MenuResizer resizer_;
};

}  // namespace

std::string BookCommand(int control) {
  for (const BookButton& book : kBooks)
    if (book.control == control) return book.command;
  return {};
}

wdrt::WindowDef MenuWindowDef() {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = "atrium001";
  def.title = "Blockwork";
  def.size = {0, 0, 320, 262};
  def.font = {"Arial", 9, false, wdrt::kColorNone};
  def.background = wdrt::MakeRgb(255, 236, 179);
  def.icon = "COOLDUDE.ICO";
  def.borderless = true;
  def.menu = {
      menus::Menu(1, "&File", {menus::GrownUpsItem(), Item(2, "&Exit", "Close the menu", StdAction::CloseWindow)}),
      menus::Menu(3, "Websites",
                  {Item(4, "Storyloom", "The publisher's home page"),
                   Item(5, "Product/Price List"), Item(6, "Teacher/parent resources"),
                   Item(7, "Activities"), Item(8, "Discussion")}),
      menus::Menu(9, "&Ordering",
                  {Item(10, "Online ordering"), Item(kSnailMail, "Snail mail ordering form", "Print an order form"),
                   Item(12, "Email Us")}),
      menus::Menu(13, "&Help",
                  {Item(14, "&Contents", "", StdAction::HelpIndex), Item(15, "Web Help & discussion"),
                   Item(kAbout, "About")}),
  };
  const wdrt::FontDef buttonFont{"Arial", 12, true, wdrt::MakeRgb(255, 255, 255)};
  wdrt::ControlDef exit = Button(17, "Exit", {136, 240, 48, 16}, buttonFont);
  exit.font.color = wdrt::MakeRgb(120, 40, 0);
  exit.action = StdAction::CloseWindow;
  def.controls.push_back(exit);
  const wdrt::Geometry places[] = {{22, 34, 134, 98}, {164, 34, 134, 98}, {}, {22, 138, 134, 98}, {164, 138, 134, 98}};
  for (const BookButton& book : kBooks) {
    wdrt::ControlDef button = Button(book.control, "", places[book.control - 18], buttonFont);
    button.tip = book.tip;
    def.controls.push_back(button);
    if (book.control == 19) {
      wdrt::ControlDef title;
      title.type = wdrt::TypeString;
      title.number = 20;
      title.text = "Choose a book!";
      title.pos = {40, 8, 240, 22};
      title.font = {"Comic Sans MS", 18, true, wdrt::MakeRgb(106, 27, 154)};
      def.controls.push_back(title);
    }
  }
  return def;
}

void Main() {
  AtriumWindow menu;
  menus::Globals().GlobalResponse = menu.Run();
  wdrt::Close(menu.window);
  // Notice windows still open end with the menu.
  wdrt::CloseDownOtherThreads();
}

}  // namespace atrium
