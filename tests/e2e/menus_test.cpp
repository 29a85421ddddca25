// The menus atrium and letters end to end: their shapes, the books they start, their links
// through the desktop's registered programs, the link control's safety with hostile targets,
// and the notice window.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <set>

#include "MenuRun.h"

namespace {

using e2e::LinesWith;
using e2e::MenuDesktop;
using e2e::Recorded;

const std::string kAtrium = "Blockwork";
const std::string kLetters = "                     Alphabet books";

std::string Quoted(const std::string& title) { return "\"" + title + "\""; }

// Waits until the menu is shaped; the literal bracket keeps the pattern from matching the
// script's own journal line.
const std::string kShaped = "expect window-regio[n]\n";
const std::string kLinksOpen = "expect \"Links. 51[5]\"\n";

TEST(MenuShapes, TheCutCornersAreNotTheWindowsAndTheCentreIs) {
  struct Case {
    std::string program, title, region;
    double cornerX, cornerY;  // a point just inside a cut corner, as a fraction of the size
    int width;                // in pixels: three per dialog unit
  };
  const Case cases[] = {
      {"atrium", kAtrium, "round-rect", 0.004, 0.006, 960},
      {"letters", kLetters, "polygon", 0.03, 0.03, 900},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
    const std::string shot = desktop.root + "/" + c.program + ".png";
    e2e::RunResult run = e2e::RunMenu(desktop, c.program,
                                      kShaped + "screenshot " + shot + " " + Quoted(c.title) + "\nclose " + Quoted(c.title) + "\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(LinesWith(run.journal, "window-region " + Quoted(c.title) + " " + c.region).size(), 1u);
    const int w = e2e::PictureWidth(shot), h = e2e::PictureHeight(shot);
    ASSERT_EQ(w, c.width);
    EXPECT_EQ(e2e::AlphaAt(shot, static_cast<int>(c.cornerX * w), static_cast<int>(c.cornerY * h)), 0);
    EXPECT_EQ(e2e::AlphaAt(shot, w - 1 - static_cast<int>(c.cornerX * w), h - 1 - static_cast<int>(c.cornerY * h)), 0);
    EXPECT_EQ(e2e::AlphaAt(shot, w / 2, h / 2), 255);
    EXPECT_EQ(e2e::AlphaAt(shot, w / 2, h / 100), 255);  // the middle of the top edge is kept
    // The program starts and ends in its order: drag setting off, media library, settings.
    EXPECT_EQ(LinesWith(run.journal, "sysparam set 37").size(), 2u);
    EXPECT_EQ(LinesWith(run.journal, "pvdispose").size(), 1u);
    EXPECT_EQ(LinesWith(run.journal, "ini-write \"" + c.program + ".INI\"").size(), 1u);
  }
}

TEST(MenuStart, OpeningAndClosingWithoutALinkStartsNoOtherProgram) {
  for (const std::string& program : {std::string("atrium"), std::string("letters")}) {
    SCOPED_TRACE(program);
    const std::string title = program == "atrium" ? kAtrium : kLetters;
    // Handlers are registered and a display is named: a lookup would find them.
    MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
    e2e::RunResult run = e2e::RunMenu(desktop, program, kShaped + "close " + Quoted(title) + "\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* started : {" helper ", " run ", " shell-open "})
      EXPECT_TRUE(LinesWith(run.journal, started).empty()) << started;
  }
}

TEST(MenuStart, TheDesktopsProgramsAreLookedUpOnceWhenALinkIsFirstUsed) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "press Blockwork \"Storyloom\"\npress Blockwork \"Activities\"\n"
                                              "expect \"shell-ope[n] .*activities.htm. -> ok\"\n"
                                              "close Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Recorded(desktop, "browser.txt", 4).size(), 4u);
  // Each handler is asked once (web, https and mail): the second link asks nothing again.
  std::set<std::string> asked;
  for (const std::string& line : LinesWith(run.journal, " helper \"xdg-mime\" \"query\" \"default\""))
    EXPECT_TRUE(asked.insert(e2e::Body(line)).second) << "asked again: " << line;
  EXPECT_EQ(asked.size(), 3u);
  const auto first = LinesWith(run.journal, "script 2 press");
  ASSERT_EQ(first.size(), 1u);
  EXPECT_GT(e2e::Stamp(LinesWith(run.journal, " helper ")[0]), e2e::Stamp(first[0])) << "asked only when used";
}

TEST(MenuDrag, PressingWhereNoControlIsDragsTheWindowAndAControlDoesNot) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  // (5, 150) is bare window; (300, 8) is the title, a text that takes no input, as on Windows.
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "click Blockwork 5 150\nexpect syscomman[d]\n"
                                              "click Blockwork 300 8\nexpect syscomman[d]\n"
                                              "close Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "\"Blockwork\" 1024 0").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "\"Blockwork\" 1025 0").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "syscommand \"Blockwork\" 0xF012").size(), 2u);
}

// The mean colour saturation (0 … 255) of a square of `side` dialog units around a point of a
// menu's screenshot, from the design size of the window (its menu bar above).
double MeanSaturation(const std::string& png, int designWidth, int designHeight, int x, int y, int side) {
  const QImage image(QString::fromStdString(png));
  if (image.isNull()) return -1;
  const double perX = double(image.width()) / designWidth;
  const double perY = perX * 1.625 / 1.5;
  const double top = image.height() - designHeight * perY;
  double sum = 0;
  int count = 0;
  for (int py = int(top + (y - side / 2) * perY); py < int(top + (y + side / 2) * perY); ++py)
    for (int px = int((x - side / 2) * perX); px < int((x + side / 2) * perX); ++px, ++count)
      sum += QColor(image.pixel(px, py)).hsvSaturation();
  return count ? sum / count : -1;
}

TEST(MenuBooks, EachBookButtonStartsItsBookAsAProcessOfItsOwn) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {"fete", "banners"});
  const std::string shot = desktop.root + "/atrium.png";
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "screenshot " + shot + " Blockwork\n"
                                              "press Blockwork 21\npress Blockwork 21\npress Blockwork 18\n"
                                              "press Blockwork 19\nanswer Ok\npress Blockwork 22\nanswer Ok\n"
                                              "expect \"run .nimbus[.]exe \"\nsleep 500\n"
                                              // A click on a book button is the button's, not a drag.
                                              "click Blockwork 80 80\nexpect \"run .banners[.]exe .* -> ok\"\n"
                                              "sleep 500\nclose Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "run \"fete.exe \" -> ok").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "run \"banners.exe \" -> ok").size(), 2u);
  // The books that are not here say so, by name; the menu stays.
  EXPECT_EQ(LinesWith(run.journal, "run \"campus.exe \" -> failed").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "run \"nimbus.exe \" -> failed").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "message \"Storyloom\" \"Not installed yet: \\\"Off to school\\\" is not on this "
                                   "computer.\" -> Ok").size(), 1u) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "Not installed yet: \\\"Weather and seasons\\\"").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, " message ").size(), 2u);
  // Their buttons are grey; the installed ones keep their colours.
  EXPECT_GT(MeanSaturation(shot, 320, 262, 89, 83, 40), 40);   // banners
  EXPECT_LT(MeanSaturation(shot, 320, 262, 231, 83, 40), 8);   // campus
  EXPECT_GT(MeanSaturation(shot, 320, 262, 89, 187, 40), 40);  // fete
  EXPECT_LT(MeanSaturation(shot, 320, 262, 231, 187, 40), 8);  // nimbus
  EXPECT_TRUE(LinesWith(run.journal, "syscommand").empty());
  const auto fete = Recorded(desktop, "fete.txt", 2);
  ASSERT_EQ(fete.size(), 2u);
  EXPECT_NE(fete[0], fete[1]);  // two processes
  EXPECT_EQ(Recorded(desktop, "banners.txt", 2).size(), 2u);
}

TEST(MenuBooks, LettersStartTheirBooksAndTellOfMissingOnes) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {"a"});
  const std::string shot = desktop.root + "/after.png";
  const std::string before = desktop.root + "/before.png";
  e2e::RunResult run = e2e::RunMenu(desktop, "letters",
                                    kShaped + "screenshot " + before + " " + Quoted(kLetters) + "\n" +
                                        "press " + Quoted(kLetters) + " \"A\"\npress " + Quoted(kLetters) + " \"C\"\n" +
                                        "answer Ok\n" +
                                        "expect \"run .c[.]exe \"\nscreenshot " + shot + " " + Quoted(kLetters) + "\n" +
                                        "press " + Quoted(kLetters) + " 38\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "run \"A.exe \" -> ok").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "run \"c.exe \" -> failed").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "Not installed yet: \\\"The letter C book\\\"").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, " message ").size(), 1u);
  EXPECT_EQ(Recorded(desktop, "a.txt", 1).size(), 1u);
  // The missing letter left the window as it was.
  EXPECT_EQ(e2e::AlphaAt(shot, 0, 0), 0);
  EXPECT_EQ(e2e::PictureWidth(shot), e2e::PictureWidth(before));
}

TEST(MenuLinks, WebAndMailLinksOpenThroughTheRegisteredPrograms) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "press Blockwork \"Storyloom\"\npress Blockwork \"Email Us\"\n"
                                              "press Blockwork \"Activities\"\n"
                                              "expect \"shell-ope[n] .*activities.htm. -> ok\"\nsleep 800\n"
                                              "close Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // The two browsers run side by side and may write in either order.
  const std::vector<std::string> browser = Recorded(desktop, "browser.txt", 4);
  ASSERT_EQ(browser.size(), 4u);
  std::set<std::string> opened{browser[0] + " " + browser[1], browser[2] + " " + browser[3]};
  EXPECT_EQ(opened, (std::set<std::string>{"1 [https://www.storyloom.example/]",
                                           "1 [https://www.storyloom.example/activities.htm]"}));
  EXPECT_EQ(Recorded(desktop, "mail.txt", 3),
            (std::vector<std::string>{"2", "[--compose]", "[mailto:hello@storyloom.example]"}));
  EXPECT_EQ(LinesWith(run.journal, "run \"" + desktop.root + "/mail.sh --compose mailto:hello@storyloom.example\" -> ok").size(), 1u);
}

TEST(MenuLinks, WithoutARegisteredBrowserTheShellErrorNamesTheAddressOnItsOwnLine) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(false, {});
  e2e::RunResult run = e2e::RunMenu(desktop, "letters",
                                    kShaped + "press " + Quoted(kLetters) + " \"Discussion\"\nanswer Ok\n"
                                              "press " + Quoted(kLetters) + " \"Email Us\"\nanswer Ok\n"
                                              "press " + Quoted(kLetters) + " 38\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto messages = LinesWith(run.journal, " message \"Shell Execute Error\"");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("\"There is no application associated with the given file name extension. "
                             "File:|https://www.storyloom.example/discus/\""), std::string::npos) << messages[0];
  // Without a mail program the address is handed to the opener, never run as a program.
  EXPECT_NE(messages[1].find("File:|mailto:hello@storyloom.example\""), std::string::npos) << messages[1];
  EXPECT_TRUE(LinesWith(run.journal, " run ").empty());
}

TEST(LinkSafety, HostileTargetsReachTheProgramAsOneArgumentAndRunNothing) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  const std::string web = "https://www.storyloom.example/a;touch pwned1 $(touch pwned2) `touch pwned3` 'q\" | x";
  const std::string mail = "-x@storyloom.example;touch pwned4 $(touch pwned5) \"q'";
  auto escape = [](const std::string& s) {
    std::string out;
    for (char c : s) out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return out;
  };
  e2e::RunResult run = e2e::RunMenu(desktop, "link_demo",
                                    "wait-window Links\n" + kLinksOpen + "type Links ?TARGET \"" + escape(web) + "\"\n"
                                    "expect \"shell-ope[n] .* -> ok\"\n"
                                    "type Links ?TARGET \"" + escape(mail) + "\"\nexpect \"ru[n] .*mail.sh\"\n"
                                    "sleep 800\nclose Links\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Recorded(desktop, "browser.txt", 2), (std::vector<std::string>{"1", "[" + web + "]"}));
  EXPECT_EQ(Recorded(desktop, "mail.txt", 3), (std::vector<std::string>{"2", "[--compose]", "[mailto:" + mail + "]"}));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(desktop.root))
    EXPECT_EQ(entry.path().filename().string().rfind("pwned", 0), std::string::npos) << entry.path();
}

TEST(LinkOverlay, ATextLinkOpensThroughItsOverlay) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  // The text is control 2; its overlay (2802) lies over it and takes the click.
  e2e::RunResult run = e2e::RunMenu(desktop, "link_demo",
                                    "wait-window Links\n" + kLinksOpen + "click Links 20 38\nexpect \"shell-ope[n] .*home.htm. -> ok\"\n"
                                    "sleep 800\nclose Links\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "\"Links\" 1 2802").size(), 1u);
  EXPECT_EQ(Recorded(desktop, "browser.txt", 2),
            (std::vector<std::string>{"1", "[https://www.storyloom.example/home.htm]"}));
}

TEST(NoticeWindow, ClosesByItselfAfterItsTimerAndAtOnceOnAClick) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  const std::string notice = "\"About Storyloom\"";
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "press Blockwork \"About\"\nwait-window " + notice + "\n" +
                                        "screenshot " + desktop.root + "/notice.png " + notice + "\n" +
                                        "expect \"close-window [0-9]+ .About Storyloom.\"\n"
                                        "press Blockwork \"About\"\nwait-window " + notice + "\n"
                                        // The click once the notice takes presses as its own.
                                        "expect \"button-events .About Storyloom. on\"\n"
                                        "click " + notice + " 5 70\nexpect \"close-window [0-9]+ .About Storyloom.\"\n"
                                        "close Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto opened = LinesWith(run.journal, " open-window ");
  const auto closed = LinesWith(run.journal, " close-window ");
  std::vector<double> open, close;
  for (const auto& l : opened) if (l.find("About Storyloom") != std::string::npos) open.push_back(e2e::Stamp(l));
  for (const auto& l : closed) if (l.find("About Storyloom") != std::string::npos) close.push_back(e2e::Stamp(l));
  ASSERT_EQ(open.size(), 2u);
  ASSERT_EQ(close.size(), 2u);
  // The first closed on its timer (2000 hundredths) without any input; the second at the click.
  EXPECT_GE(close[0] - open[0], 19500);
  EXPECT_LT(close[0] - open[0], 30000);  // a generous bound: a busy machine delays timers
  EXPECT_LT(close[1] - open[1], close[0] - open[0]);
  // Each notice ran on a thread of its own.
  std::set<std::string> threads;
  for (const auto& l : opened)
    if (l.find("About Storyloom") != std::string::npos) threads.insert(l.substr(l.find("open-window") + 12, 2));
  EXPECT_EQ(threads.size(), 2u);
}

}  // namespace

namespace {

TEST(NoticeWindow, ClosesWhenAnotherWindowTakesTheFocus) {
  MenuDesktop desktop = e2e::MakeMenuDesktop(true, {});
  const std::string notice = "\"About Storyloom\"";
  // The second notice takes the focus from the first, which closes; the second stays.
  e2e::RunResult run = e2e::RunMenu(desktop, "atrium",
                                    kShaped + "press Blockwork \"About\"\nwait-window " + notice + "\nsleep 200\n" +
                                        "press Blockwork \"About\"\nexpect \"close-window [0-9]+ .About Storyloom.\"\n"
                                        "sleep 300\nwait-window " + notice + "\nclose Blockwork\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto closed = LinesWith(run.journal, " close-window ");
  ASSERT_GE(closed.size(), 1u);
  EXPECT_NE(closed[0].find("close-window 2 \"About Storyloom\""), std::string::npos) << closed[0];
  EXPECT_EQ(LinesWith(run.journal, "\"About Storyloom\" 517 0").size(), 1u);
  // The one still open closes with the menu.
  EXPECT_EQ(LinesWith(run.journal, "close-window 3 \"About Storyloom\"").size(), 1u);
  EXPECT_TRUE(LinesWith(run.journal, "\"About Storyloom\" 1024").empty());
}

}  // namespace
