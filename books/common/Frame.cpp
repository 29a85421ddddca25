#include "books/common/Frame.h"

#include <algorithm>

#include "books/common/BookGlobals.h"
#include "books/common/BookWindow.h"
#include "books/common/Cover.h"
#include "books/common/GrownUpExit.h"
#include "books/common/PageProcedure.h"
#include "books/common/PrintSelection.h"
#include "books/common/ReadingOrder.h"
#include "family/Child.h"
#include "family/GrownUps.h"
#include "family/VoiceRecorder.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Threads.h"

namespace book {
namespace {

using wdrt::ControlDef;
using wdrt::StdAction;

constexpr int kFrameLastControl = 250;
constexpr int kGrownUpsItem = -1990;  // below the numbers the runtime gives menu items
constexpr int kRecordVoiceItem = -1991;
const wdrt::Rgb kPageButtonGreen = wdrt::MakeRgb(0, 128, 0);

ControlDef MenuItem(const std::string& text, const std::string& tip, StdAction action) {
  ControlDef item;
  item.type = wdrt::TypeItem;
  item.text = text;
  item.tip = tip;
  item.action = action;
  return item;
}

ControlDef NumberedItem(int number, const std::string& text, const std::string& tip) {
  ControlDef item = MenuItem(text, tip, StdAction::None);
  item.number = number;
  return item;
}

// The book's recorder, on the calling thread.
void RecordVoice(const BookDef& book) { VoiceRecorderWindow(book.program, TextsInReadingOrder(book), book.iniFile); }

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
  FrameController(const BookDef& book, bool kiosk) : BookWindow("Amain"), book_(book), kiosk_(kiosk) {}

  int Init() override {
    const int level = BeginInit(false);
    if (level != LevelOk) return level;
    window = wdrt::Open(FrameWindow(book_, kiosk_));
    OPENED = 1;
    ShowPictureButtons(book_.pictureButtonPicture, kFrameLastControl);
    AttachPageResizer();
    ArmAlertKeys();
    if (kiosk_) {
      wdrt::AlertHeld(window, LeaveKey(), kLeaveHoldMilliseconds);
      wdrt::AlertHeld(window, GrownUpsKey(), kLeaveHoldMilliseconds);
    }
    return LevelOk;
  }

  // Full screen for a child, only a grown-up who holds the leave keys and answers the sum ends
  // the book; closing by any other way (Exit, Alt+F4, the window manager) is turned away.
  int OnEvent() override {
    const wdrt::Event event = wdrt::CurrentEvent();
    if (kiosk_ && event.number == wdrt::EventAlertKey && event.key == LeaveKey()) {
      if (AskGrownUpToLeave()) {
        leaving_ = true;
        wdrt::PostToWindow(window, wdrt::EventCloseWindow);
      }
      return LevelNotice;
    }
    // Without a menu bar, the grown-ups' window is behind the same sum as leaving.
    if (kiosk_ && event.number == wdrt::EventAlertKey && event.key == GrownUpsKey()) {
      if (AskGrownUp("grown-ups-sum")) OpenGrownUps();
      return LevelNotice;
    }
    return BookWindow::OnEvent();
  }

  int OnCloseRequest() override {
    if (kiosk_ && !leaving_ && wdrt::CurrentEvent().number == wdrt::EventCloseWindow) {
      wdrt::JournalLine("kiosk-close-refused " + wdrt::JournalQuote(book_.frameTitle));
      return LevelNotice;
    }
    return BookWindow::OnCloseRequest();
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    const int control = wdrt::CurrentEvent().control;
    if (control == kGrownUpsItem) OpenGrownUps();
    if (control == kRecordVoiceItem) {
      const BookDef* book = &book_;
      wdrt::Start([book] { RecordVoice(*book); }, 25000);
    }
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
  // On a thread of its own, so that the book goes on while the grown-up chooses.
  void OpenGrownUps() {
    const BookDef* book = &book_;
    wdrt::Start([book] { GrownUpsWindow(book->iniFile, [book] { RecordVoice(*book); }); }, 25000);
  }

  const BookDef& book_;
  const bool kiosk_;
  bool leaving_ = false;
};

}  // namespace

wdrt::WindowDef FrameWindow(const BookDef& book, bool kiosk) {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Frame;
  def.fullScreen = kiosk;
  def.module = ModuleName(book.program, 3);
  def.title = book.frameTitle;
  // The frame's area is made to hold its largest page whole (the question pages are taller).
  def.size = {0, 0, book.frameWidth, book.frameHeight};
  for (const PageDef& page : book.pages) {
    def.size.width = std::max(def.size.width, page.width);
    def.size.height = std::max(def.size.height, page.height);
  }
  def.picture = FramePictureForChild(book, ChildName(book.iniFile));
  def.icon = "storyloom.png";
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  def.menu = {
      Menu("&File", "",
           {NumberedItem(kGrownUpsItem, kGrownUpsItemText, "The child's name, the children to print for, sound and paper"),
            NumberedItem(kRecordVoiceItem, kRecordVoiceItemText, "Record the book's texts in your own voice"),
            MenuItem("P&rint Setup...", "Setup Printer", StdAction::PrintSetup),
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
      c.hidden = kiosk;  // no printing for a child alone with the book
    } else if (button.exit) {
      c.icon = "ICON:Exit";
      c.font = {"Arial", 10, true, wdrt::kColorNone};
      c.action = StdAction::CloseWindow;
      c.hidden = kiosk;  // only a grown-up leaves, with the held keys and the sum
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
  FrameController frame(*g.book, g.kiosk);
  g.GlobalResponse = frame.Run();
  wdrt::Close(frame.window);
}

}  // namespace book
