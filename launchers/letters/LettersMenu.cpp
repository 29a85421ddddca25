#include "launchers/letters/LettersMenu.h"

#include <cctype>

#include "launchers/common/MenuGlobals.h"
#include "launchers/common/MenuProgram.h"
#include "launchers/common/MenuTables.h"
#include "launchers/common/MenuWindow.h"
#include "launchers/common/NoticeWindow.h"
#include "launchers/common/PriceList.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"
#include "runtime/os/Process.h"

namespace letters {
namespace {

using menus::Item;
using menus::SitePage;
using wdrt::StdAction;

constexpr int kSnailMail = 14;
constexpr int kAbout = 19;
constexpr int kExit = 38;

struct LetterButton {
  int control;
  const char* command;
};
// In control order, as the commands are stored.
constexpr LetterButton kLetters[] = {
    {20, "A.exe "}, {21, "B.exe "}, {22, "c.exe "}, {23, "d.exe "}, {24, "e.exe "}, {25, "f.exe "},
    {26, "H.exe "}, {27, "I.exe "}, {28, "J.exe "}, {29, "k.exe "}, {30, "l.exe "}, {31, "m.exe "},
    {32, "n.exe "}, {33, "o.exe "}, {34, "p.exe "}, {35, "q.exe "}, {36, "r.exe "}, {37, "G.exe "},
    {39, "z.exe "}, {40, "y.exe "}, {41, "w.exe "}, {42, "x.exe "}, {43, "v.exe "}, {44, "u.exe "},
    {45, "t.exe "}, {46, "s.exe "},
};

class LettersWindow : public menus::MenuWindow {
 public:
  LettersWindow() : MenuWindow("Main") {}

  int Init() override {
    const int level = BeginInit();
    if (level != LevelOk) return level;
    FIRSTFIELD = 1;
    OpenShaped(MenuWindowDef(), LetterCommand);
    links.Init(0, true);
    AddLinks({{4, SitePage("")},
              {6, SitePage("resources.htm")},
              {8, SitePage("discus/")},
              {9, SitePage("price.htm")},
              {11, SitePage("price.htm")},
              {18, SitePage("discus/")},
              {15, std::string(menus::kContactAddress)},
              {5, SitePage("price.htm")},
              {7, SitePage("activities.htm")}});
    links.Place();
    ArmAlertKeys();
    return LevelOk;
  }

  int OnAccepted() override {
    const int control = wdrt::CurrentEvent().control;
    if (control == kAbout) wdrt::Start([] { menus::NoticeWindow(false); }, 25000);
    if (control == kSnailMail) menus::Htmlreport();
    if (control == menus::kGrownUpsItem) menus::OpenGrownUps();
    const int level = WindowController::OnAccepted();
    const std::string command = LetterCommand(control);
    if (!command.empty()) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(command[0])));
      StartBook(command, std::string("The letter ") + letter + " book");
      Reset(1);
    }
    return level;
  }

 protected:
  wdrt::WindowRegion Shape(int width, int height) const override { return menus::OctagonMenuShape(width, height); }
  std::string Caption() const override { return "                     Alphabet books"; }
};

}  // namespace

std::string LetterCommand(int control) {
  for (const LetterButton& letter : kLetters)
    if (letter.control == control) return letter.command;
  return {};
}

wdrt::WindowDef MenuWindowDef() {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = "letters001";
  def.title = "                     Alphabet books";
  def.size = {0, 0, 300, 200};
  def.font = {"Arial", 9, false, wdrt::kColorNone};
  def.background = wdrt::MakeRgb(187, 222, 251);
  def.icon = "storyloom.png";
  def.borderless = true;
  def.menu = {
      menus::Menu(1, "&File", {menus::GrownUpsItem(), Item(2, "&Exit", "Close the menu", StdAction::CloseWindow)}),
      menus::Menu(3, "Websites",
                  {Item(4, "Storyloom", "The publisher's home page"), Item(5, "Product/Price List"),
                   Item(6, "Teacher/parent resources"), Item(7, "Activities"), Item(8, "Discussion"),
                   Item(9, "On line ordering")}),
      menus::Menu(10, "&Ordering",
                  {Item(11, "Online ordering"), Item(12, "Price lists"),
                   Item(13, "Product list", "Requires adobe acrobat reader"),
                   Item(kSnailMail, "Snail mail ordering form", "Print an order form"), Item(15, "Email Us")}),
      menus::Menu(16, "&Help",
                  {Item(17, "&Contents", "", StdAction::HelpIndex), Item(18, "Web Help & discussion"),
                   Item(kAbout, "About")}),
  };
  // The buttons lie in alphabetical order, seven to a row, inside the octagon's cut corners.
  const wdrt::FontDef letterFont{"Arial", 16, true, wdrt::MakeRgb(13, 71, 161)};
  for (const LetterButton& letter : kLetters) {
    const char name = static_cast<char>(std::toupper(static_cast<unsigned char>(letter.command[0])));
    const int index = name - 'A';
    const int row = index / 7, column = index % 7;
    const int inRow = row == 3 ? 5 : 7;
    const int left = (300 - inRow * 32 + 4) / 2;
    def.controls.push_back(menus::Button(letter.control, std::string(1, name),
                                         {left + column * 32, 28 + row * 32, 28, 28}, letterFont));
    if (letter.control == 37) {
      wdrt::ControlDef exit = menus::Button(kExit, "                 Exit", {100, 162, 100, 16},
                                            {"Arial", 10, true, wdrt::kColorNone});
      exit.action = StdAction::CloseWindow;
      def.controls.push_back(exit);
    }
  }
  return def;
}

void Main() {
  LettersWindow menu;
  menus::Globals().GlobalResponse = menu.Run();
  wdrt::Close(menu.window);
  // Notice windows still open end with the menu.
  wdrt::CloseDownOtherThreads();
}

}  // namespace letters
