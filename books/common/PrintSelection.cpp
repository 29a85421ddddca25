#include "books/common/PrintSelection.h"

#include "books/common/BookGlobals.h"
#include "books/common/BookWindow.h"
#include "runtime/core/Threads.h"
#include "runtime/os/Shell.h"

namespace book {
namespace {

using wdrt::ControlDef;

constexpr char kReaderPage[] = "https://www.adobe.com/products/acrobat/adobepdf.html";
constexpr int kWebLink = 12, kPdfChoice = 13, kPrintBook = 14;

ControlDef Label(const std::string& use, const std::string& text, int x, int y) {
  ControlDef c;
  c.type = wdrt::TypeString;
  c.use = use;
  c.text = text;
  c.pos = {x, y, 0, 0};
  return c;
}

ControlDef Button(const std::string& use, const std::string& text, const std::string& icon, wdrt::Geometry pos) {
  ControlDef c;
  c.type = wdrt::TypeButton;
  c.use = use;
  c.text = text;
  c.icon = icon;
  c.pos = pos;
  return c;
}

ControlDef Box(const std::string& use, wdrt::Geometry pos) {
  ControlDef c;
  c.type = wdrt::TypeBox;
  c.use = use;
  c.pos = pos;
  return c;
}

class PrintSelectionController : public BookWindow {
 public:
  explicit PrintSelectionController(const BookDef& book) : BookWindow("PrintSelectionPdf"), book_(book) {}

  int Init() override {
    const int level = BeginInit(true);
    if (level != LevelOk) return level;
    window = wdrt::Open(PrintSelectionWindow(book_));
    wdrt::SetValue(window, kPdfChoice, Globals().EMAILREQ ? "1" : "0");
    OPENED = 1;
    ArmAlertKeys();
    return LevelOk;
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    switch (wdrt::CurrentEvent().control) {
      case kWebLink: {
        UpdateComponents();
        std::string address = kReaderPage;
        if (address.size() > 256) address.resize(256);
        wdrt::ShellExecuteA(wdrt::GetProp(window, 0, wdrt::PropHandle), "", address, "", "", 1);
        break;
      }
      case kPdfChoice:
        Globals().EMAILREQ = wdrt::GetValue(window, kPdfChoice) == "1" ? 1 : 0;
        break;
      case kPrintBook:
        UpdateComponents();
        wdrt::Start([] { PrintBook1a(); }, 25000);
        Reset(0);
        break;
      default:
        break;
    }
    return level;
  }

 private:
  const BookDef& book_;
};

}  // namespace

wdrt::WindowDef PrintSelectionWindow(const BookDef& book) {
  const bool fete = book.program == "fete";
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = ModuleName(book.program, book.printModule);
  def.title = "Print report or print to pdf file";
  def.size = {0, 0, 318, 200};
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  def.resizable = false;
  ControlDef heading = Label("?STRING8", "Print or create pdf file", 77, 131);
  heading.font = {"Arial", 10, true, wdrt::kColorNone};
  ControlDef choice;
  choice.type = wdrt::TypeCheck;
  choice.use = "?GLO:EMAILREQ";
  choice.text = "Create pdf file  Click here only if you want to print book in pdf format";
  choice.pos = {39, 18, 0, 0};
  wdrt::Geometry printAt = fete                         ? wdrt::Geometry{75, 143, 72, 14}
                           : book.program == "banners" ? wdrt::Geometry{32, 146, 72, 14}
                           : book.program == "b"       ? wdrt::Geometry{76, 142, 72, 14}
                                                       : wdrt::Geometry{76, 143, 72, 14};
  ControlDef done = Button("?BUTTON6", "Done", "worksheet.ico", {208, 146, 72, 14});
  done.action = wdrt::StdAction::CloseWindow;
  def.controls = {
      Box("?BOX1", {0, 0, 318, 127}),
      Label("?STRING6", "Or you can choose send mail which will attach the file to your email.", 47, 63),
      Label("?STRING1",
            fete ? "1.  This will require the newest version of Adobe Acrobat reader.  This is free."
                 : "1.  This will require Adobe acrobat reader.  This is free.",
            37, 32),
      Label("?STRING2", "2.  This will allow you to create a book in adobe pdf format.", 37, 43),
      Label("?STRING3", "3.  When the pdf file is displayed you can click on file then  save as.", 37, 54),
      done,
      Label("?STRING4", "4.  If you saved the pdf file. Then through your E-mail program you can .", 37, 80),
      Label("?STRING7", "attach this file and send it to friends.", 47, 90),
      Label("?STRING5", "Teachers can use this to email books to parents.", 47, 99),
      Box("?BOX2", {0, 124, 318, 76}),
      heading,
      Button("?BUTTON2", "Go to Adobe web site", "web.ico", {208, 3, 103, 14}),
      choice,
      Button("?BUTTON1", fete ? "Print Book " : "Print Book 1", "printer.ico", printAt),
  };
  return def;
}

void PrintSelectionPdf() {
  BookGlobals& g = Globals();
  if (!g.book) return;
  PrintSelectionController controller(*g.book);
  g.GlobalResponse = controller.Run();
  wdrt::Close(controller.window);
}


}  // namespace book
