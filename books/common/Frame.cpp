#include "books/common/Frame.h"

#include <memory>

#include "books/common/BookGlobals.h"
#include "books/common/PageProcedure.h"
#include "books/common/PictureButtonResizer.h"
#include "books/common/PrintSelection.h"
#include "framework/PictureButtonClass.h"
#include "framework/WindowController.h"
#include "framework/WindowResizer.h"
#include "runtime/core/Threads.h"

namespace book {
namespace {

using wdrt::ControlDef;
using wdrt::StdAction;

constexpr int kFrameLastControl = 250;
const wdrt::Rgb kPageButtonGreen = wdrt::MakeRgb(0, 128, 0);

ControlDef MenuItem(const std::string& text, const std::string& tip, StdAction action) {
  ControlDef item;
  item.type = wdrt::TypeItem;
  item.text = text;
  item.tip = tip;
  item.action = action;
  return item;
}

ControlDef Menu(const std::string& text, const std::string& tip, std::vector<ControlDef> items) {
  ControlDef menu;
  menu.type = wdrt::TypeMenu;
  menu.text = text;
  menu.tip = tip;
  menu.items = std::move(items);
  return menu;
}

class FrameController : public WindowController {
 public:
  explicit FrameController(const BookDef& book) : book_(book) {}

  int Init() override {
    BookGlobals& g = Globals();
    g.errors.PushProcedure("Amain");
    REQUEST = g.GlobalRequest;
    const int level = WindowController::Init();
    if (level != LevelOk) return level;
    g.GlobalRequest = 0;
    g.GlobalResponse = 0;
    AttachToolbar(&relay_);
    window = wdrt::Open(FrameWindow(book_));
    OPENED = 1;
    if (!book_.pictureButtonPicture.empty()) {
      buttons_ = std::make_unique<PICBUTTONCLASS>();
      buttons_->INIT(window, book_.pictureButtonPicture, 0);
      buttons_->SETLASTCONTROL(kFrameLastControl);
      buttons_->SHOWBUTTONS();
      resizer_.buttons = buttons_.get();
    }
    resizer_.Init(window, 0, false, false);
    resizer_.InferParents();
    AttachResizer(&resizer_);
    ArmAlertKeys();
    return LevelOk;
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    const int control = wdrt::CurrentEvent().control;
    for (const ToolbarButton& button : book_.toolbar) {
      if (button.control != control) continue;
      if (button.module != 0) {
        StartPage(button.module);
      } else if (button.print) {
        if (book_.printEntry == PrintEntry::Started)
          wdrt::Start([] { PrintSelectionPdf(); }, 25000);
        else
          PrintSelectionPdf();
      }
    }
    return level;
  }

  int Kill() override {
    const int level = WindowController::Kill();
    if (level != LevelOk) return level;
    if (buttons_) {
      buttons_->KILL();
      resizer_.buttons = nullptr;
      buttons_.reset();
    }
    Globals().errors.PopProcedure();
    return LevelOk;
  }

 private:
  const BookDef& book_;
  ToolbarRelay relay_;
  PictureButtonResizer resizer_;
  std::unique_ptr<PICBUTTONCLASS> buttons_;
};

}  // namespace

wdrt::WindowDef FrameWindow(const BookDef& book) {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Frame;
  def.module = book.program + "003";
  def.title = book.frameTitle;
  def.size = {0, 0, book.frameWidth, book.frameHeight};
  def.picture = book.framePicture;
  def.icon = "storyloom.png";
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  def.menu = {
      Menu("&File", "",
           {MenuItem("P&rint Setup...", "Setup Printer", StdAction::PrintSetup),
            MenuItem("E&xit", "Exit this application", StdAction::CloseWindow)}),
      Menu("&Window", "Create and Arrange windows",
           {MenuItem("T&ile", "Make all open windows visible", StdAction::TileWindow),
            MenuItem("&Cascade", "Stack all open windows", StdAction::CascadeWindow),
            MenuItem("&Arrange Icons", "Align all window icons", StdAction::ArrangeIcons)}),
      Menu("&Help", "Windows Help",
           {MenuItem("&Contents", "View the contents of the help file", StdAction::HelpIndex),
            MenuItem("&Search for Help On...", "Search for help on a subject", StdAction::HelpSearch),
            MenuItem("&How to Use Help", "How to use Windows Help", StdAction::HelpOnHelp)}),
  };
  for (const ToolbarButton& button : book.toolbar) {
    ControlDef c;
    c.type = wdrt::TypeButton;
    c.number = button.control;
    c.text = button.text;
    c.pos = button.pos;
    if (button.print) {
      c.icon = "ICON:Print";
      c.tip = "Print this book";
    } else if (button.exit) {
      c.icon = "ICON:Exit";
      c.font = {"Arial", 10, true, wdrt::kColorNone};
      c.action = StdAction::CloseWindow;
    } else {
      c.font = {"Arial", 14, true, kPageButtonGreen};
    }
    def.toolbar.push_back(c);
  }
  return def;
}

void Amain() {
  BookGlobals& g = Globals();
  if (!g.book) return;
  FrameController frame(*g.book);
  g.GlobalResponse = frame.Run();
  wdrt::Close(frame.window);
}

}  // namespace book
