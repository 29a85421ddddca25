// The control-hosting base classes without a view: numbering, paths, sizes, the browser's
// event names and shared objects, the compatibility classes and the controls' tables.
#include <gtest/gtest.h>

#include <thread>

#include "pvmedia/ObsPvOldBrowser.h"
#include "pvmedia/PvBrowser.h"
#include "pvmedia/PvHtmlEditor.h"
#include "pvmedia/PvLifecycle.h"
#include "pvmedia/PvMedia.h"
#include "pvmedia/PvPDF.h"
#include "pvmedia/PvViewer.h"
#include "runtime/core/Runtime.h"
#include "runtime/os/OleControl.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

using Hosting = pvtest::MediaTest;

TEST_F(Hosting, InitNumbersObjectsOnceAndWrapsAfterAThousand) {
  InstanceCounter = 998;
  PvPDF a, b, c;
  a.Init(0);
  b.Init(0);
  c.Init(0);
  EXPECT_EQ(a.CLASSINSTANCENUMBER, 999);
  EXPECT_EQ(b.CLASSINSTANCENUMBER, 1000);
  EXPECT_EQ(c.CLASSINSTANCENUMBER, 1);  // the 1001st
  c.DEBUGGING = 1;
  c.Init(0);  // refused: keeps its number and the counter
  EXPECT_EQ(c.CLASSINSTANCENUMBER, 1);
  EXPECT_EQ(InstanceCounter.load(), 1);
  EXPECT_NE(DebugText().find("PV [1] : PvMaster::Init - self.init already called for object 1, aborting method..."),
            std::string::npos);
  c.Kill();
  EXPECT_EQ(InstanceCounter.load(), 0);
  EXPECT_NE(DebugText().find("PvOCX::Kill - Set InstanceCounter to 0"), std::string::npos);
  ObsPvOldBrowser old;
  old.DEBUGGING = 1;
  old.Init();
  EXPECT_EQ(old.CLASSINSTANCENUMBER, 0);  // counted, not numbered
  EXPECT_EQ(InstanceCounter.load(), 1);
  EXPECT_EQ(old.GetInfo(), "");
  EXPECT_EQ(old.Back(), 0);
}

TEST_F(Hosting, VerifyPathCompletesBareNamesByType) {
  const std::string here = std::filesystem::current_path().string();
  struct Case {
    const char* type;
    const char* path;
    std::string expected;
  } cases[] = {
      {"html3", "page.html", "file://" + here + "/page.html"},
      {"HTML1", "page.html", "file://" + here + "/page.html"},
      {"media", "page.html", here + "/page.html"},
      {"pdf", "docs/a.pdf", "docs/a.pdf"},
      {"html3", "/srv/a.html", "file:///srv/a.html"},
      {"html3", "file:///srv/a.html", "file:///srv/a.html"},
      {"html3", "www.example.org", "www.example.org"},
      {"html3", "http://example.org/a", "http://example.org/a"},
      {"html3", "!special", "!special"},
      {"html3", "", ""},
  };
  for (const Case& c : cases) {
    PvMedia object;
    object.OBJECTTYPE = c.type;
    object.CURRENTPATH = c.path;
    object.VerifyPath();
    EXPECT_EQ(object.CURRENTPATH, c.expected) << c.type << " " << c.path;
  }
}

TEST_F(Hosting, SetOcxKeepsOnlyTheTwoBrowserTypes) {
  const std::pair<const char*, const char*> cases[] = {
      {"html2", "html2"}, {"HTML3  ", "html3"}, {"html1", ""}, {"", ""}, {"pdf", ""}};
  for (const auto& [given, expected] : cases) {
    PvMedia object;
    object.OVERRIDEOCX = "x";
    object.SetOCX(given);
    EXPECT_EQ(object.OVERRIDEOCX, expected) << given;
  }
}

TEST_F(Hosting, SizesFollowTheControlOnlyForHostedTypes) {
  wdrt::WindowDef def;
  def.size = {0, 0, 300, 200};
  wdrt::ControlDef control;
  control.type = wdrt::TypeOle;
  control.pos = {10, 20, 100, 50};
  def.controls.push_back(control);
  const wdrt::WindowPtr window = wdrt::Open(def);
  wdrt::SetPosition(window, 0, {0, 0, 300, 200});
  PvMedia media;
  media.Init(1);
  media.OBJECTTYPE = "media";
  media.SaveSize();
  EXPECT_EQ(media.CONTROLWIDTH, 100);
  EXPECT_EQ(media.CONTROLHEIGHT, 50);
  media.CONTROLWIDTH = 0;  // nothing to set
  media.SetSize();
  EXPECT_EQ(wdrt::GetPosition(window, 1), (wdrt::Geometry{10, 20, 100, 50}));
  media.AutoSize(2, 30, 0, 0);  // height only
  EXPECT_EQ(wdrt::GetPosition(window, 1), (wdrt::Geometry{10, 20, 100, 150}));
  media.AutoSize(3, 0, 0, 0);  // width only, equal margins
  EXPECT_EQ(wdrt::GetPosition(window, 1), (wdrt::Geometry{10, 20, 280, 150}));
  media.AutoSize(1, 10, 40, 20);  // both, with a left edge and a right margin
  EXPECT_EQ(wdrt::GetPosition(window, 1), (wdrt::Geometry{40, 20, 240, 170}));
  media.OBJECTTYPE = "html3";
  media.CONTROLWIDTH = 5;
  media.CONTROLHEIGHT = 5;
  media.SetSize();  // not a hosted type: unchanged
  EXPECT_EQ(wdrt::GetPosition(window, 1), (wdrt::Geometry{40, 20, 240, 170}));
  EXPECT_EQ(media.Busy(), 0);
  media.Kill();
  wdrt::Close(window);
}

TEST_F(Hosting, WaitForOcxReturnsAtOnceWhenDisabledAndWait2SpinsItsHundredths) {
  PvMedia media;
  media.DISABLEWAIT = 1;
  const auto start = std::chrono::steady_clock::now();
  media.WaitForOCX();
  media.ENABLEWAIT2 = 20;
  media.Wait2();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(seconds, 0.19);
  EXPECT_LT(seconds, 5.0);  // generous: a loaded machine sleeps longer
}

TEST_F(Hosting, EventNamesAreTheBrowsersPublishedOnes) {
  PvBrowser browser;
  const std::pair<int, const char*> cases[] = {{100, "pv:BEFORENAVIGATE"},  {101, "pv:NAVIGATECOMPLETE"},
                                               {113, "pv:TITLECHANGE"},     {250, "pv:BEFORENAVIGATE2"},
                                               {251, "pv:NEWWINDOW2"},      {259, "pv:DOCUMENTCOMPLETE"},
                                               {272, "pv:PRIVACYIMPACTEDSTATECHANGE"},
                                               {999, "UNKNOWN EVENT NUMBER 999"}, {0, "UNKNOWN EVENT NUMBER 0"}};
  for (const auto& [number, name] : cases) EXPECT_EQ(browser.TranslateEventID(number), name);
}

// A browser whose hook answers with a fixed result.
class AnsweringBrowser : public PvBrowser {
 public:
  explicit AnsweringBrowser(int answer) : answer_(answer) {}
  std::int32_t EventCallback(std::int32_t, const std::vector<std::string>&) override { return answer_; }

 private:
  int answer_;
};

TEST_F(Hosting, EventResultsCancelOnlyWhereTheBrowserAllowsIt) {
  struct Case {
    int answer;
    int event;
    int cancels;
  } cases[] = {{1, 250, 1}, {2, 250, 1}, {3, 250, 0}, {0, 250, 0}, {3, 251, 1},
               {1, 251, 0}, {1, 101, 0}, {2, 113, 0}};
  for (const Case& c : cases) {
    AnsweringBrowser browser(c.answer);
    EXPECT_EQ(browser.OleControlSite_Invoke(c.event, {"file:///a.html"}), c.cancels) << c.answer << " " << c.event;
  }
}

TEST_F(Hosting, ResultTwoPostsTheCallbackEventToTheWindow) {
  const wdrt::WindowPtr window = wdrt::Open(wdrt::WindowDef{});
  AnsweringBrowser browser(2);
  browser.hostWindow = window;
  browser.OleControlSite_Invoke(250, {"file:///a.html"});
  wdrt::Event event;
  ASSERT_TRUE(window->Take(event, std::chrono::steady_clock::now() + std::chrono::seconds(30)));  // open window
  ASSERT_TRUE(window->Take(event, std::chrono::steady_clock::now() + std::chrono::seconds(30)));
  EXPECT_EQ(event.number, 1030);
  wdrt::Close(window);
}

TEST_F(Hosting, LoadBeforeInitOnlySaysItAborts) {
  PvBrowser browser;
  browser.DEBUGGING = 1;
  browser.CLASSINSTANCENUMBER = 7;
  browser.Load("page.html", 0, 1);
  EXPECT_NE(DebugText().find("PV [7] : PvBrowser::Load - Aborting, self.ComControlCreated = 0"), std::string::npos);
  EXPECT_EQ(browser.OBJECTTYPE, "html3");
  EXPECT_EQ(browser.Back(), 0);
  EXPECT_NE(DebugText().find("PvBrowser::Back - Failed, no WebBrowser control"), std::string::npos);
}

TEST_F(Hosting, BrowsersOfOneWindowShareAnObjectQEntryUntilTheLastGoes) {
  wdrt::WindowDef def;
  for (int i = 0; i < 2; ++i) {
    wdrt::ControlDef control;
    control.type = wdrt::TypeOle;
    def.controls.push_back(control);
  }
  const wdrt::WindowPtr window = wdrt::Open(def);
  const std::size_t before = pv::ObjectQCount();
  PvBrowser first, second;
  first.Init(1, 0, 0, 1, "");
  second.Init(2, 0, 0, 1, "");
  EXPECT_EQ(first.OBJECTTYPE, "html3");
  EXPECT_EQ(pv::ObjectQCount(), before + 1);
  first.Kill(0);
  EXPECT_EQ(pv::ObjectQCount(), before + 1);
  second.Kill(0);
  EXPECT_EQ(pv::ObjectQCount(), before);
  PvBrowser zeroControl;
  zeroControl.DEBUGGING = 1;
  zeroControl.Init(0, 0, 0, 1, "");
  EXPECT_NE(DebugText().find("PvBrowser::Init, Failed, self.CurrentControl = 0"), std::string::npos);
  EXPECT_EQ(pv::ObjectQCount(), before);
  wdrt::Close(window);
}

TEST_F(Hosting, DisposeReleasesWhatEveryThreadLeft) {
  wdrt::WindowDef def;
  wdrt::ControlDef control;
  control.type = wdrt::TypeOle;
  def.controls.push_back(control);
  std::thread other([&] {
    const wdrt::WindowPtr window = wdrt::Open(def);
    PvBrowser browser;
    browser.Init(1, 0, 0, 1, "");  // left behind without Kill
    wdrt::Close(window);
  });
  other.join();
  EXPECT_GE(pv::ObjectQCount(), 1u);
  PVDISPOSE();
  EXPECT_EQ(pv::ObjectQCount(), 0u);
}

TEST_F(Hosting, ViewerAnswersEveryCallWithNothing) {
  PvViewer viewer;
  EXPECT_EQ(viewer.GetRegValue("a", 1, 2), "");
  EXPECT_EQ(viewer.RGBToHex("255"), "");
  EXPECT_EQ(viewer.TranslateEventID("101"), "");
  EXPECT_EQ(viewer.Play("x.mp3"), 0);
  EXPECT_EQ(viewer.PrintMe(1), 0);
  EXPECT_EQ(viewer.CurrentFrame(), 0);
  EXPECT_EQ(viewer.HiddenMediaLoad(), 0);
  for (const wdrt::WindowPtr& window : wdrt::OpenWindows()) EXPECT_NE(window->Title(), "pvHiddenLoad");
}

TEST_F(Hosting, ControlTablesMapSettingsAndCommands) {
  const std::pair<int, int> sizes[] = {{100, 0}, {50, 1}, {200, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}};
  for (const auto& [zoom, size] : sizes) EXPECT_EQ(PvMediaDisplaySize(static_cast<std::uint8_t>(zoom)), size);
  EXPECT_FALSE(PvMediaDisplaySize(7).has_value());
  EXPECT_FALSE(PvMediaDisplaySize(0).has_value());
  const std::pair<int, const char*> commands[] = {{1, "ExecCommand(5000)"}, {16, "PrintDocument(1)"},
                                                  {30, "ExecCommand(5017, 0)"}, {35, "ExecCommand(5052)"},
                                                  {17, ""}, {0, ""}};
  for (const auto& [action, call] : commands) EXPECT_EQ(PvHtmlEditorCommand(action), call);
}

TEST_F(Hosting, BackgroundColourRewritesOrAddsTheBodyTag) {
  const std::pair<const char*, const char*> cases[] = {
      {"<html><body>x</body></html>", "<html><body bgcolor=\"#112233\">x</body></html>"},
      {"<html><BODY BGCOLOR=red class=a>x</body>", "<html><BODY class=a bgcolor=\"#112233\">x</body>"},
      {"<html><body bgcolor='#fff'/>", "<html><body bgcolor=\"#112233\">"},
      {"<html><head></head><p>x</p></html>", "<html><head></head><body bgcolor=\"#112233\"><p>x</p></html>"},
      {"<bodyguard>x", "<body bgcolor=\"#112233\"><bodyguard>x"},
  };
  for (const auto& [source, expected] : cases) EXPECT_EQ(PvHtmlEditorSetBackground(source, "#112233"), expected);
}

TEST_F(Hosting, GraphicsListCollectsPicturesOfTheSource) {
  EXPECT_EQ(PvHtmlGraphicsList("<body background='bg.png'><img alt=x src=\"a.png\"><IMG SRC=b.gif>"
                               "<input type=image src='c.jpg'></body>"),
            "a.png\nb.gif\nc.jpg\ncid:bodybackground=bg.png\n");
}

TEST(OleCallText, SplitsNameAndArgumentsKeepingQuotedCommas) {
  struct Case {
    const char* text;
    const char* name;
    std::vector<std::string> arguments;
  } cases[] = {
      {"Open(\"a, b.pdf\")", "Open", {"a, b.pdf"}},
      {"ExecCommand(5017, 0)", "ExecCommand", {"5017", "0"}},
      {"readyState", "readyState", {}},
      {"Play()", "Play", {}},
      {"DOM.selection.createRange().pasteHTML(<b>x</b>)", "DOM.selection.createRange().pasteHTML", {"<b>x</b>"}},
      {"DOM.selection.createRange.item(0).src", "DOM.selection.createRange.item(0).src", {}},
      {"Navigate(\"a(1).html\")", "Navigate", {"a(1).html"}},
  };
  for (const Case& c : cases) {
    const wdrt::OleCallText call = wdrt::ParseOleCall(c.text);
    EXPECT_EQ(call.name, c.name) << c.text;
    EXPECT_EQ(call.arguments, c.arguments) << c.text;
  }
}

TEST(OleControl, NothingIsCreatedWithoutAView) {
  const wdrt::WindowPtr window = wdrt::Open(wdrt::WindowDef{});
  EXPECT_FALSE(wdrt::OleCreate(window, 1, "Shell.Explorer.2"));
  EXPECT_EQ(wdrt::OleCall(window, 1, "Play()"), "");
  EXPECT_FALSE(wdrt::OleExists(window, 1));
  wdrt::Close(window);
}

}  // namespace
