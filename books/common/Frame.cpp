#include "books/common/Frame.h"

#include "books/common/BookGlobals.h"
#include "books/common/BookWindow.h"
#include "books/common/PageProcedure.h"
#include "books/common/PrintSelection.h"
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

class FrameController : public BookWindow {
 public:
  explicit FrameController(const BookDef& book) : BookWindow("Amain"), book_(book) {}

  int Init() override {
    const int level = BeginInit(false);
    if (level != LevelOk) return level;
    window = wdrt::Open(FrameWindow(book_));
    OPENED = 1;
    ShowPictureButtons(book_.pictureButtonPicture, kFrameLastControl);
    AttachPageResizer();
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

 private:
  const BookDef& book_;
};

}  // namespace

wdrt::WindowDef FrameWindow(const BookDef& book) {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Frame;
  def.module = ModuleName(book.program, 3);
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
