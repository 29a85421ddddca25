// LinkManager on window models (no view): the mail command rule, the shell's error texts, the
// rows and overlays it makes, what it opens on each event, hover colours and polling.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "launchers/common/LinkManager.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"

namespace {

namespace fs = std::filesystem;

TEST(MailCommand, TheTargetTakesThePlaceOfPercentOneOrFollowsAsItsOwnArgument) {
  struct Case {
    std::string command, target;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"/usr/bin/mailer --compose %1", "me@x.example", {"/usr/bin/mailer", "--compose", "mailto:me@x.example"}},
      {"mailer \"%1\"", "me@x.example   ", {"mailer", "mailto:me@x.example"}},       // trailing blanks cut
      {"mailer to=%1;subject", "a@b", {"mailer", "to=mailto:a@b;subject"}},          // text around %1 kept
      {"mailer -m", "a@b", {"mailer", "-m", "a@b"}},                                 // no %: appended
      {"\"/opt/My Mail/mail\" %1", "a@b", {"/opt/My Mail/mail", "mailto:a@b"}},
      {"mailer %1", "x@y; rm -rf ~ $(id) `id` \"q'", {"mailer", "mailto:x@y; rm -rf ~ $(id) `id` \"q'"}},
      {"mailer %", "a@b", {"mailer", "mailto:a@b"}},                                  // a lone % at the end
      {"", "a@b", {}},                                                              // nothing registered
      {"   ", "a@b", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(MailCommandArguments(c.command, c.target), c.expected) << c.command;
}

TEST(ShellErrors, EachFailureHasItsLineAndOthersShowNothing) {
  const std::pair<long, std::string> known[] = {
      {32, "The specified dynamic-link library was not found. File:|"},
      {31, "There is no application associated with the given file name extension. File:|"},
      {30, "The DDE transaction could not be completed because other DDE transactions were being processed. File:|"},
      {29, "The DDE transaction failed. File:|"},
      {28, "The DDE transaction could not be completed because the request timed out. File:|"},
      {27, "The file name association is incomplete or invalid. File:|"},
      {26, "A sharing violation occurred. File:|"},
      {8, "There was not enough memory to complete the operation. File:|"},
      {5, "The operating system denied access to the specified file. File:|"},
      {3, "The specified path was not found. File:|"},
      {2, "The specified file was not found. File:|"},
      {0, "The Operating system is out of memory/resources. File:|"},
  };
  for (const auto& [result, text] : known) EXPECT_EQ(ShellErrorText(result), text) << result;
  for (long other : {1L, 4L, 25L, 33L, 42L}) EXPECT_EQ(ShellErrorText(other), "") << other;
}

// A window with a menu item, a text, an entry and a list, and a recorder that stands in for
// the desktop's opener and the mail program.
class LinkWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder of each test's own: an opener a test started may still write after it ended.
    static int tests = 0;
    folder_ = fs::temp_directory_path() /
              ("storyloom-links-" + std::to_string(::getpid()) + "-" + std::to_string(++tests));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    recorder_ = (folder_ / "record.sh").string();
    // One write per run: two openers started at once must not interleave their lines.
    std::ofstream(recorder_) << "#!/bin/sh\nline=''\nfor a in \"$@\"; do line=\"$line[$a]\"; done\nprintf '%s\\n' \"$line\" >> '"
                             << (folder_ / "opened.txt").string() << "'\n";
    fs::permissions(recorder_, fs::perms::owner_all);
    ::setenv("WDRT_SHELL_OPEN", recorder_.c_str(), 1);
    // A desktop of no registered programs: the commands read on the first link are empty.
    fs::create_directories(folder_ / "desktop");
    for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      ::setenv(name, (folder_ / "desktop").c_str(), 1);
    }
    wdrt::SetMessageAnswerer([this](const wdrt::MessageRequest& r) {
      messages_.push_back(r.caption + ": " + r.text);
      return wdrt::ButtonOk;
    });

    wdrt::WindowDef def;
    def.title = "Links";
    def.size = {0, 0, 200, 100};
    wdrt::ControlDef text;
    text.type = wdrt::TypeString;
    text.text = "Our site";
    text.pos = {10, 10, 60, 10};
    text.font.color = wdrt::MakeRgb(0, 0, 200);
    wdrt::ControlDef entry;
    entry.type = wdrt::TypeEntry;
    entry.pos = {10, 30, 80, 12};
    wdrt::ControlDef list;
    list.type = wdrt::TypeList;
    list.pos = {10, 50, 120, 40};
    wdrt::ControlDef name, mail;
    name.pos.width = 50;
    mail.pos.width = 70;
    list.items = {name, mail};
    wdrt::ControlDef item;
    item.type = wdrt::TypeItem;
    item.number = -2001;
    item.text = "Home";
    def.controls = {text, entry, list};
    def.menu = {wdrt::ControlDef{}};
    def.menu[0].type = wdrt::TypeMenu;
    def.menu[0].items = {item};
    window_ = wdrt::Open(def);
  }

  void TearDown() override {
    wdrt::Close(window_);
    ::unsetenv("WDRT_SHELL_OPEN");
    for (const auto& [name, value] : saved_)
      if (value) ::setenv(name.c_str(), value->c_str(), 1); else ::unsetenv(name.c_str());
    wdrt::SetMessageAnswerer(nullptr);
    // An opener started by the test may still be writing its record there: try again shortly.
    std::error_code ec;
    for (int attempt = 0; attempt < 50 && (fs::remove_all(folder_, ec), ec || fs::exists(folder_)); ++attempt)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }

  // Makes `number` on `control` the current event, as the window's loop would.
  void Deliver(int number, int control) {
    wdrt::PostToWindow(window_, number, control);
    wdrt::Event event;
    ASSERT_TRUE(wdrt::Accept(window_, event));
    while (event.number != number || event.control != control) ASSERT_TRUE(wdrt::Accept(window_, event));
    links_.OnEvent();
  }

  std::vector<std::string> Opened() {
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
      std::ifstream in(folder_ / "opened.txt");
      lines.clear();
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      if (!lines.empty()) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return lines;
  }

  fs::path folder_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  std::string recorder_;
  std::vector<std::string> messages_;
  wdrt::WindowPtr window_;
  LinkManager links_;
};

TEST_F(LinkWindow, MenuItemsGetNoOverlayAndOpenTheirAddress) {
  links_.Init(0, true);
  links_.AddLink(-2001, "https://www.storyloom.example/", false, 0, true, 0, true, 0, true);
  ASSERT_EQ(links_.ITEMQ->size(), 1u);
  EXPECT_FALSE(window_->HasControl(-2001 + kLinkOverlayOffset));
  Deliver(wdrt::EventAccepted, -2001);
  EXPECT_EQ(links_.URLTORUN, "https://www.storyloom.example/");
  EXPECT_EQ(Opened(), std::vector<std::string>{"[https://www.storyloom.example/]"});
}

TEST_F(LinkWindow, ATextGetsAHandOverlayThatFollowsItAndStandsForIt) {
  links_.Init(0, true);
  links_.AddLink(1, "https://www.storyloom.example/price.htm", false, 0, false, 1, false, wdrt::MakeRgb(255, 0, 0), true);
  const LinkManager::LinkRow& row = links_.ITEMQ->front();
  EXPECT_EQ(row.NORMAL, wdrt::MakeRgb(0, 0, 200));  // from the text's font colour
  EXPECT_EQ(row.UNDERLINE, 1);
  const auto overlay = window_->Control(1 + kLinkOverlayOffset);
  ASSERT_TRUE(overlay);
  EXPECT_EQ(overlay->def.type, wdrt::TypeRegion);
  EXPECT_EQ(overlay->def.cursor, "~hand.cur");
  EXPECT_EQ(overlay->pos, (wdrt::Geometry{10, 10, 60, 10}));
  EXPECT_TRUE(window_->Control(1)->def.font.underline);
  // Moving the text and placing again moves the overlay with it.
  wdrt::SetPosition(window_, 1, {20, 15, 70, 12});
  links_.Place();
  EXPECT_EQ(wdrt::GetPosition(window_, 1 + kLinkOverlayOffset), (wdrt::Geometry{20, 15, 70, 12}));
  // Hovering shows the bright colour; leaving restores the normal one.
  Deliver(wdrt::EventMouseIn, 1 + kLinkOverlayOffset);
  EXPECT_EQ(window_->Control(1)->def.font.color, wdrt::MakeRgb(255, 0, 0));
  Deliver(wdrt::EventMouseOut, 1 + kLinkOverlayOffset);
  EXPECT_EQ(window_->Control(1)->def.font.color, wdrt::MakeRgb(0, 0, 200));
  // A click on the overlay opens the text's link.
  Deliver(wdrt::EventAccepted, 1 + kLinkOverlayOffset);
  EXPECT_EQ(Opened(), std::vector<std::string>{"[https://www.storyloom.example/price.htm]"});
}

TEST_F(LinkWindow, ABlankedLinkOpensTheControlsOwnTextAndAnEntryItsContents) {
  links_.Init(0, true);
  links_.AddLink(1, "https://www.storyloom.example/", false);
  links_.AddLink(2, "", true);
  links_.SetLinkUrl(1, "ignored", true);
  wdrt::SetText(window_, 1, "https://www.storyloom.example/own.htm");
  Deliver(wdrt::EventAccepted, 1);
  EXPECT_EQ(links_.URLTORUN, "https://www.storyloom.example/own.htm");
  wdrt::SetValue(window_, 2, "https://www.storyloom.example/typed.htm");
  Deliver(wdrt::EventAccepted, 2);
  EXPECT_EQ(links_.URLTORUN, "https://www.storyloom.example/typed.htm");
}

TEST_F(LinkWindow, MailTargetsRunTheMailCommandWithTheAddressInPlaceOfPercentOne) {
  links_.Init(0, true);
  links_.HYPEREMAIL = recorder_ + " --compose \"%1\"";
  links_.URLTORUN = "hello@storyloom.example  ";
  links_.Open();
  EXPECT_EQ(Opened(), std::vector<std::string>{"[--compose][mailto:hello@storyloom.example]"});
  EXPECT_TRUE(messages_.empty());
}

TEST_F(LinkWindow, WithoutAMailProgramTheAddressGoesToTheOpenerNeverRunAsAProgram) {
  links_.Init(0, true);
  links_.HYPEREMAIL.clear();
  links_.URLTORUN = "hello@storyloom.example";
  links_.Open();
  EXPECT_EQ(Opened(), std::vector<std::string>{"[mailto:hello@storyloom.example]"});
}

TEST_F(LinkWindow, AShellFailureShowsItsLineAndTheTargetOnTheNextLine) {
  ::setenv("WDRT_SHELL_OPEN", (folder_ / "no-such-opener").c_str(), 1);
  links_.Init(0, true);
  links_.URLTORUN = "https://www.storyloom.example/";
  links_.Open();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Shell Execute Error: There is no application associated with the given file name "
                          "extension. File:|https://www.storyloom.example/");
}

TEST_F(LinkWindow, ListLinksTakeTheirColumnAndWriteMailAddressesInTheirQuotedForm) {
  links_.Init(0, true);
  links_.AddLink(3, "2");
  links_.AddLink(3, "1");
  ASSERT_EQ(links_.ITEMQ->size(), 2u);
  EXPECT_EQ((*links_.ITEMQ)[0].COLUMN, 2);
  EXPECT_EQ((*links_.ITEMQ)[1].STYLE, 2);  // a style of its own per column
  EXPECT_EQ((*links_.ITEMQ)[0].URL, "-1");
  EXPECT_EQ(links_.ListLinkText("https://x.example/"), "https://x.example/");
  EXPECT_EQ(links_.ListLinkText("me@x.example"), "\"me@x.example\" <me@x.example>");
  links_.HYPEREMAIL = recorder_ + " %1";
  wdrt::SetValue(window_, 3, "Ann\tann@x.example");
  Deliver(wdrt::EventAccepted, 3);
  // Each row opens its own column: the address through the mail program, the name through the
  // opener; the last one read stays in LISTURL.
  EXPECT_EQ(links_.LISTURL, "Ann");
  std::vector<std::string> opened;
  for (int i = 0; i < 3000 && opened.size() < 2; ++i) {
    opened = Opened();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<std::string>{"[Ann]", "[mailto:\"ann@x.example\" <ann@x.example>]"}));
}

TEST_F(LinkWindow, PollingOnTheTimerSendsMouseOutWhenTheMouseHasLeft) {
  links_.Init(wdrt::EventTimer, false);
  EXPECT_EQ(links_.HANDCURSOR, wdrt::EventTimer);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropTimer), 8);
  links_.AddLink(1, "https://www.storyloom.example/", false, 0, true, 0, false, wdrt::MakeRgb(255, 0, 0), true);
  Deliver(wdrt::EventMouseIn, 1 + kLinkOverlayOffset);
  ASSERT_EQ(links_.ITEMQ->front().WORKING, 1);
  links_.mousePosition = [] { return std::optional<wdrt::Geometry>(wdrt::Geometry{150, 90, 0, 0}); };
  wdrt::SetTimer(window_, 0);
  Deliver(wdrt::EventTimer, 0);
  // The poll posted "the mouse has left" to the overlay.
  wdrt::Event event;
  do {
    ASSERT_TRUE(wdrt::Accept(window_, event));
  } while (event.number == wdrt::EventTimer);
  EXPECT_EQ(event.number, wdrt::EventMouseOut);
  EXPECT_EQ(event.control, 1 + kLinkOverlayOffset);
}

}  // namespace
