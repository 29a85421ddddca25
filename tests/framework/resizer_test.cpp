// The window resizer on real window models: scaling, the edge-anchored and centred strategies,
// margin bits, containers carrying their children, restoring the design, the deferral of
// moves and the sized event reaching OnSized through the window's event loop.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "framework/WindowResizer.h"
#include "runtime/core/Properties.h"
#include "runtime/core/Runtime.h"

// Prints geometries readably in failure messages.
void PrintTo(const WindowResizer::Pos& p, std::ostream* out) {
  *out << "(" << p.XPOS << ", " << p.YPOS << ", " << p.WIDTH << ", " << p.HEIGHT << ")";
}

namespace {

using Pos = WindowResizer::Pos;

wdrt::ControlDef Control(int type, wdrt::Geometry pos, int parent = 0) {
  wdrt::ControlDef c;
  c.type = type;
  c.pos = pos;
  c.parent = parent;
  return c;
}

class ResizerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    resizer_.Kill();
    if (window_) wdrt::Close(window_);
  }

  void Open(int width, int height, std::vector<wdrt::ControlDef> controls, std::uint8_t strategy = 0) {
    wdrt::WindowDef def;
    def.title = "Resizer test";
    def.size = {0, 0, width, height};
    def.controls = std::move(controls);
    window_ = wdrt::Open(def);
    resizer_.Init(window_, strategy, false, false);
  }

  // Resizes the window as the user would and lets the sized event run through the loop.
  void ResizeTo(int width, int height) {
    wdrt::Geometry g = window_->ClientGeometry();
    g.width = width;
    g.height = height;
    wdrt::SetPosition(window_, 0, g);
    wdrt::PostToWindow(window_, wdrt::EventSized);
    wdrt::Event event;
    for (int i = 0; i < 10 && wdrt::Accept(window_, event); ++i) {
      if (event.number == wdrt::EventSized) return;
    }
    ADD_FAILURE() << "the sized event did not arrive";
  }

  Pos At(int control) const {
    const wdrt::Geometry g = wdrt::GetPosition(window_, control);
    return {g.x, g.y, g.width, g.height};
  }

  void SetStrategies(int control, std::uint16_t positional, std::uint16_t resize) {
    WindowResizer::ControlRow* row = resizer_.Find(control);
    ASSERT_NE(row, nullptr);
    row->POSITIONALSTRATEGY = positional;
    row->RESIZESTRATEGY = resize;
  }

  wdrt::WindowPtr window_;
  WindowResizer resizer_;
};

TEST_F(ResizerTest, ScaleMovesAControlWithTheWindow) {
  Open(100, 100, {Control(wdrt::TypeButton, {10, 10, 20, 20})});
  ResizeTo(200, 150);
  EXPECT_EQ(At(1), (Pos{20, 15, 40, 30}));
  EXPECT_EQ(resizer_.RESIZECALLED, 1);
}

TEST_F(ResizerTest, BackToTheDesignedSizeRestoresEveryControlExactly) {
  const std::vector<wdrt::Geometry> designed = {{3, 7, 11, 13}, {17, 19, 23, 29}, {31, 37, 41, 43}, {1, 2, 97, 5}};
  std::vector<wdrt::ControlDef> controls;
  for (const auto& g : designed) controls.push_back(Control(wdrt::TypeString, g));
  Open(100, 100, controls);
  SetStrategies(2, WindowResizer::PosCentre | WindowResizer::PosCentre << 8, 0);
  SetStrategies(3, WindowResizer::PosRight | WindowResizer::PosRight << 8, WindowResizer::HalfRightMargin);
  for (auto [w, h] : {std::pair{137, 91}, {53, 211}, {333, 77}, {100, 100}}) ResizeTo(w, h);
  for (std::size_t i = 0; i < designed.size(); ++i) {
    const auto& g = designed[i];
    EXPECT_EQ(At(static_cast<int>(i) + 1), (Pos{g.x, g.y, g.width, g.height})) << "control " << i + 1;
  }
}

TEST_F(ResizerTest, UnchangedSizeMovesNothing) {
  Open(100, 100, {Control(wdrt::TypeButton, {10, 10, 20, 20})});
  ResizeTo(200, 150);
  wdrt::SetPosition(window_, 1, {1, 1, 5, 5});  // moved by the program since
  ResizeTo(200, 150);
  EXPECT_EQ(At(1), (Pos{1, 1, 5, 5}));
  EXPECT_TRUE(resizer_.RESIZELIST->empty());
}

struct StrategyCase {
  const char* name;
  wdrt::Geometry designed;  // in a 100 x 100 window resized to 200 x 160
  std::uint16_t positional;
  std::uint16_t resize;
  Pos expected;
};

class Strategy : public ResizerTest, public ::testing::WithParamInterface<StrategyCase> {};

TEST_P(Strategy, PlacesTheControl) {
  const StrategyCase& c = GetParam();
  Open(100, 100, {Control(wdrt::TypeString, c.designed)});
  SetStrategies(1, c.positional, c.resize);
  ResizeTo(200, 160);
  EXPECT_EQ(At(1), c.expected);
}

constexpr std::uint16_t Both(std::uint16_t s) { return static_cast<std::uint16_t>(s | s << 8); }
constexpr std::uint16_t kKeepSize = WindowResizer::KeepWidth | WindowResizer::KeepHeight;

INSTANTIATE_TEST_SUITE_P(
    Edges, Strategy,
    ::testing::Values(
        StrategyCase{"fixed", {10, 20, 30, 10}, Both(WindowResizer::PosFixed), kKeepSize, {10, 20, 30, 10}},
        StrategyCase{"rightBottomKeptSize", {10, 20, 30, 10}, Both(WindowResizer::PosRight), kKeepSize,
                     {110, 80, 30, 10}},
        StrategyCase{"rightBottomScaled", {10, 20, 30, 10}, Both(WindowResizer::PosRight), 0, {20, 32, 60, 16}},
        StrategyCase{"leftTopKeptSize", {10, 20, 30, 10}, Both(WindowResizer::PosLeft), kKeepSize, {10, 20, 30, 10}},
        StrategyCase{"leftTopScaledSize", {10, 20, 30, 10}, Both(WindowResizer::PosLeft), 0, {10, 20, 60, 16}},
        StrategyCase{"centreKeptSize", {10, 20, 30, 10}, Both(WindowResizer::PosCentre), kKeepSize, {60, 50, 30, 10}},
        StrategyCase{"centreScaled", {10, 20, 30, 10}, Both(WindowResizer::PosCentre), 0, {20, 32, 60, 16}},
        StrategyCase{"nearestIsLeftTop", {10, 20, 30, 10}, Both(WindowResizer::PosNearest), kKeepSize,
                     {10, 20, 30, 10}},
        StrategyCase{"nearestIsRightBottom", {70, 80, 20, 10}, Both(WindowResizer::PosNearest), kKeepSize,
                     {170, 140, 20, 10}},
        StrategyCase{"mixedAxes", {10, 20, 30, 10},
                     WindowResizer::PosRight | WindowResizer::PosLeft << 8, kKeepSize, {110, 20, 30, 10}},
        StrategyCase{"keepMargins", {10, 20, 30, 10}, Both(WindowResizer::PosLeft),
                     WindowResizer::KeepRightMargin | WindowResizer::KeepBottomMargin, {10, 20, 130, 70}},
        StrategyCase{"halfMargins", {10, 20, 30, 10}, Both(WindowResizer::PosLeft),
                     WindowResizer::HalfRightMargin | WindowResizer::HalfBottomMargin, {10, 20, 80, 40}},
        StrategyCase{"halfRightOnlyScaledX", {10, 20, 30, 10}, 0, WindowResizer::HalfRightMargin,
                     {20, 32, 75, 16}},
        StrategyCase{"keepWidthOnly", {10, 20, 30, 10}, 0, WindowResizer::KeepWidth, {20, 32, 30, 16}},
        StrategyCase{"roundsHalvesAway", {1, 1, 1, 1}, 0, 0, {2, 2, 2, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResizerTest, RoundingOfThirds) {
  Open(300, 300, {Control(wdrt::TypeString, {100, 101, 50, 1})});
  ResizeTo(100, 100);  // rx = ry = 0.3333
  EXPECT_EQ(At(1), (Pos{33, 34, 17, 0}));
}

TEST_F(ResizerTest, ContainerCarriesItsChildren) {
  Open(100, 100,
       {Control(wdrt::TypeGroup, {50, 50, 40, 40}), Control(wdrt::TypeButton, {60, 60, 10, 10}),
        Control(wdrt::TypeButton, {5, 5, 10, 10})});
  resizer_.InferParents();
  EXPECT_EQ(resizer_.ParentOf(2), 1);
  EXPECT_EQ(resizer_.ParentOf(3), 0);
  EXPECT_EQ(resizer_.Find(1)->HASCHILDREN, 1);
  ResizeTo(200, 200);
  EXPECT_EQ(At(1), (Pos{100, 100, 80, 80}));
  EXPECT_EQ(At(2), (Pos{120, 120, 20, 20}));  // where scaling with the window puts it too

  // A container that keeps its size keeps its children's offsets.
  SetStrategies(1, Both(WindowResizer::PosRight), kKeepSize);
  SetStrategies(2, 0, 0);
  ResizeTo(300, 300);
  EXPECT_EQ(At(1), (Pos{250, 250, 40, 40}));
  EXPECT_EQ(At(2), (Pos{260, 260, 10, 10}));
}

TEST_F(ResizerTest, InferredParentsFollowTheRuntimeAndNeverFormACycle) {
  Open(100, 100,
       {Control(wdrt::TypeSheet, {0, 0, 100, 100}),        // 1
        Control(wdrt::TypeTab, {5, 5, 90, 90}, 1),          // 2: in the sheet
        Control(wdrt::TypePanel, {10, 10, 50, 50}, 2),      // 3: a panel on the tab, not managed
        Control(wdrt::TypeButton, {20, 20, 10, 10}, 3),     // 4: on the panel
        Control(wdrt::TypeBox, {70, 70, 10, 10}),           // 5 and 6: one rectangle twice
        Control(wdrt::TypeBox, {70, 70, 10, 10})});
  resizer_.InferParents();
  EXPECT_EQ(resizer_.Find(3), nullptr);
  EXPECT_EQ(resizer_.ParentOf(2), 1);
  EXPECT_EQ(resizer_.ParentOf(4), 2);  // past the panel to the tab
  const bool fiveInSix = resizer_.ParentOf(5) == 6, sixInFive = resizer_.ParentOf(6) == 5;
  EXPECT_NE(fiveInSix, sixInFive);
  ResizeTo(200, 200);
  EXPECT_EQ(At(4), (Pos{40, 40, 20, 20}));
  EXPECT_EQ(At(5), (Pos{140, 140, 20, 20}));
  EXPECT_EQ(At(6), (Pos{140, 140, 20, 20}));
}

TEST_F(ResizerTest, AssignParentToItselfDoesNothing) {
  Open(100, 100, {Control(wdrt::TypeButton, {1, 1, 5, 5})});
  resizer_.AssignParent(1, 1);
  EXPECT_EQ(resizer_.ParentOf(1), 0);
  EXPECT_EQ(resizer_.Find(1)->HASCHILDREN, 0);
}

TEST_F(ResizerTest, ScanSkipsWhatTheResizerMustNotTouch) {
  wdrt::WindowDef def;
  def.size = {0, 0, 100, 100};
  def.controls = {Control(wdrt::TypeButton, {1, 1, 5, 5}), Control(wdrt::TypeList, {1, 10, 20, 20}),
                  Control(wdrt::TypePanel, {0, 0, 50, 50}), Control(wdrt::TypeString, {30, 30, 5, 5}),
                  Control(wdrt::TypeToolbar, {0, 0, 100, 10})};
  def.toolbar = {Control(wdrt::TypeButton, {0, 0, 10, 10})};
  window_ = wdrt::Open(def);
  wdrt::SetProp(window_, 4, wdrt::PropNoResize, 1);
  wdrt::SetProp(window_, 2, wdrt::PropDrop, 1);
  resizer_.Init(window_, WindowResizer::AppResize, false, false);
  std::vector<int> ids;
  for (const auto& row : *resizer_.CONTROLQUEUE) ids.push_back(row.ID);
  EXPECT_EQ(ids, (std::vector<int>{1, 2}));
  EXPECT_EQ(resizer_.Find(2)->TYPE, wdrt::TypeEntry);       // a drop list counts as an entry
  EXPECT_EQ(resizer_.Find(2)->RESIZESTRATEGY, WindowResizer::KeepHeight);
  EXPECT_EQ(resizer_.Find(1)->POSITIONALSTRATEGY, Both(WindowResizer::PosNearest));
}

struct DefaultCase {
  std::uint8_t family;
  int type;
  std::uint16_t positional;
  std::uint16_t resize;
};

class Defaults : public ResizerTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(Defaults, ComeFromFamilyAndType) {
  const DefaultCase& c = GetParam();
  wdrt::WindowDef def;
  def.size = {0, 0, 100, 100};
  def.controls = {Control(c.type, {1, 1, 5, 5})};
  window_ = wdrt::Open(def);
  resizer_.Init(window_, c.family, false, false);
  ASSERT_NE(resizer_.Find(1), nullptr);
  EXPECT_EQ(resizer_.Find(1)->POSITIONALSTRATEGY, c.positional);
  EXPECT_EQ(resizer_.Find(1)->RESIZESTRATEGY, c.resize);
}

INSTANTIATE_TEST_SUITE_P(
    Families, Defaults,
    ::testing::Values(DefaultCase{0, wdrt::TypeButton, 0, 0}, DefaultCase{1, wdrt::TypeButton, Both(5), 3},
                      DefaultCase{1, wdrt::TypeSpin, 0, 2}, DefaultCase{1, wdrt::TypeRadio, 0, 3},
                      DefaultCase{1, wdrt::TypeImage, 0, 0}, DefaultCase{2, wdrt::TypeImage, Both(3), 12},
                      DefaultCase{2, wdrt::TypeTab, Both(3), 12}, DefaultCase{2, wdrt::TypePrompt, 3 << 8, 2},
                      DefaultCase{2, wdrt::TypeButton, Both(5), 3}, DefaultCase{2, wdrt::TypeCheck, 0, 3},
                      DefaultCase{2, wdrt::TypeLine, 0, 0}, DefaultCase{3, wdrt::TypeImage, Both(1), 3}));

TEST_F(ResizerTest, MovesAreDeferredAndTheDeferralPutBack) {
  Open(100, 100, {Control(wdrt::TypeButton, {10, 10, 20, 20}), Control(wdrt::TypeButton, {50, 50, 20, 20})});
  EXPECT_EQ(resizer_.DEFERMOVES, 1);
  ResizeTo(150, 150);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropDeferMoves), 0);
  wdrt::SetProp(window_, 0, wdrt::PropDeferMoves, -1);  // the program defers on its own
  ResizeTo(180, 150);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropDeferMoves), -1);
}

TEST_F(ResizerTest, WithoutDeferralMovesAreOrderedFarFirstWhenGrowing) {
  Open(100, 100,
       {Control(wdrt::TypeButton, {10, 10, 10, 10}), Control(wdrt::TypeButton, {80, 80, 10, 10}),
        Control(wdrt::TypeButton, {40, 40, 10, 10})});
  resizer_.DEFERMOVES = 0;
  ResizeTo(200, 200);
  std::vector<int> order;
  for (const auto& move : *resizer_.RESIZELIST) order.push_back(move.CONTROLID);
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
  ResizeTo(150, 150);
  order.clear();
  for (const auto& move : *resizer_.RESIZELIST) order.push_back(move.CONTROLID);
  EXPECT_EQ(order, (std::vector<int>{1, 3, 2}));
}

TEST_F(ResizerTest, KeepWidthPropertyProtectsTheWidth) {
  Open(100, 100, {Control(wdrt::TypeButton, {10, 10, 20, 20})});
  wdrt::SetProp(window_, 1, wdrt::PropKeepWidth, 1);
  ResizeTo(200, 200);
  EXPECT_EQ(At(1), (Pos{20, 20, 20, 40}));
}

TEST_F(ResizerTest, RestoreDesignPutsWindowAndControlsBack) {
  Open(100, 80, {Control(wdrt::TypeButton, {10, 10, 20, 20})});
  ResizeTo(250, 90);
  resizer_.RestoreDesign();
  EXPECT_EQ(window_->ClientGeometry().width, 100);
  EXPECT_EQ(window_->ClientGeometry().height, 80);
  EXPECT_EQ(At(1), (Pos{10, 10, 20, 20}));
  wdrt::PostToWindow(window_, wdrt::EventSized);
  ResizeTo(100, 80);
  EXPECT_TRUE(resizer_.RESIZELIST->empty());
}

TEST_F(ResizerTest, RestoreDesignPutsTheMaximizedAndIconizedStatesBack) {
  const struct {
    bool maximized, iconized;
  } designs[] = {{false, false}, {true, false}, {false, true}};
  for (const auto& design : designs) {
    wdrt::WindowDef def;
    def.size = {0, 0, 100, 80};
    def.controls = {Control(wdrt::TypeButton, {10, 10, 20, 20})};
    window_ = wdrt::Open(def);
    wdrt::SetProp(window_, 0, wdrt::PropMaximize, design.maximized);
    wdrt::SetProp(window_, 0, wdrt::PropIconize, design.iconized);
    resizer_.Init(window_, WindowResizer::AppScale, false, false);
    EXPECT_EQ(resizer_.ORIGWIN.MAXIMIZED, design.maximized);
    EXPECT_EQ(resizer_.ORIGWIN.ICONIZED, design.iconized);
    // The user changes both states (as the view reports them), then the design comes back.
    wdrt::SetProp(window_, 0, wdrt::PropMaximize, !design.maximized);
    wdrt::SetProp(window_, 0, wdrt::PropIconize, !design.iconized);
    resizer_.RestoreDesign();
    EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropMaximize), design.maximized);
    EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropIconize), design.iconized);
    resizer_.Kill();
    wdrt::Close(window_);
  }
  window_.reset();
}

TEST_F(ResizerTest, InitSetsLimitsAndKillStopsTheRouting) {
  wdrt::WindowDef def;
  def.size = {0, 0, 120, 90};
  def.controls = {Control(wdrt::TypeButton, {10, 10, 20, 20})};
  window_ = wdrt::Open(def);
  resizer_.Init(window_, WindowResizer::AppScale, true, true);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropResizeRouted), 1);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropMinWidth), 120);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropMinHeight), 90);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropMaxWidth), 120);
  EXPECT_EQ(wdrt::GetProp(window_, 0, wdrt::PropMaxHeight), 90);
  resizer_.Kill();
  resizer_.Kill();
  ResizeTo(240, 180);
  EXPECT_EQ(At(1), (Pos{10, 10, 20, 20}));
}

TEST_F(ResizerTest, SpreadFamilyInfersParentsAtInit) {
  Open(100, 100, {Control(wdrt::TypeGroup, {10, 10, 60, 60}), Control(wdrt::TypeEntry, {20, 20, 30, 10})},
       WindowResizer::AppSpread);
  EXPECT_EQ(resizer_.ParentOf(2), 1);
  ResizeTo(200, 150);
  // The group keeps its margins; inside it the entry scales across (rx 2.6667) and keeps its
  // offset from the top and its height.
  EXPECT_EQ(At(1), (Pos{10, 10, 160, 110}));
  EXPECT_EQ(At(2), (Pos{37, 20, 80, 10}));
}

}  // namespace

// --- On screen --------------------------------------------------------------------------------

#include <QColor>
#include <QImage>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <unistd.h>

#include "runtime/core/ViewPort.h"
#include "runtime/os/Process.h"
#include "runtime/view/Program.h"

namespace {

// Runs in a child process: shows a window with a red block through the real view, resizes
// it as a user would, and checks the screenshot. Exits 0 when the block moved on screen.
[[noreturn]] void RearrangeOnScreen() {
  static char name[] = "resizer_test";
  static char* argv[] = {name, nullptr};
  const std::string shot = "/tmp/storyloom-resizer-" + std::to_string(::getpid()) + ".png";
  const int code = wdrt::RunProgram(1, argv, [&] {
    wdrt::WindowDef def;
    def.title = "Resizer on screen";
    def.size = {0, 0, 100, 100};
    def.background = wdrt::kWhite;
    wdrt::ControlDef block = Control(wdrt::TypeStaticString, {10, 10, 20, 20});
    block.background = wdrt::MakeRgb(255, 0, 0);
    def.controls = {block};
    wdrt::WindowPtr window = wdrt::Open(def);
    WindowResizer resizer;
    resizer.Init(window, WindowResizer::AppScale, false, false);

    // A watchdog ends the wait below should the sized event never come.
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
      for (int i = 0; i < 600 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (!done) wdrt::PostToWindow(window, wdrt::EventUser);
    });
    wdrt::GetViewPort()->ResizeByUser(window, 200, 150);
    wdrt::Event event;
    bool sized = false;
    while (!sized && wdrt::Accept(window, event)) {
      if (event.number == wdrt::EventUser) break;
      sized = event.number == wdrt::EventSized && window->ClientGeometry().width == 200;
    }
    done = true;
    watchdog.join();
    const wdrt::Geometry moved = wdrt::GetPosition(window, 1);
    const bool ok = sized && moved == wdrt::Geometry{20, 15, 40, 30} &&
                    wdrt::GetViewPort()->Screenshot(window, shot);
    QImage image(QString::fromStdString(shot));
    std::remove(shot.c_str());
    // Pixels per dialog unit: 3 across, 3.25 down. (55, 40) lies in the moved block only;
    // (5, 5) lies in neither place.
    const bool red = !image.isNull() && QColor(image.pixel(165, 130)) == QColor(255, 0, 0) &&
                     QColor(image.pixel(15, 16)) != QColor(255, 0, 0);
    resizer.Kill();
    wdrt::Close(window);
    if (!(ok && red)) wdrt::Halt(3);
  });
  std::_Exit(code);
}

TEST(ResizerOnScreen, ViewAppliesTheMovesToTheWidgets) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_EXIT(RearrangeOnScreen(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
