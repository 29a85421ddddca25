// The picture-button class on a window model: which controls become hot spots, pictures on
// picture answers, and that nothing happens before INIT or after KILL.
#include <gtest/gtest.h>

#include "framework/PictureButtonClass.h"
#include "runtime/core/Runtime.h"

namespace {

wdrt::WindowDef Page() {
  wdrt::WindowDef def;
  def.title = "Buttons";
  def.size = {0, 0, 300, 200};
  for (int type : {wdrt::TypeButton, wdrt::TypeImage, wdrt::TypeButton, wdrt::TypeString, wdrt::TypeButton}) {
    wdrt::ControlDef c;
    c.type = type;
    c.text = "x";
    c.pos = {1, 1, 10, 10};
    def.controls.push_back(c);
  }
  wdrt::ControlDef tool;
  tool.number = -10;
  tool.text = "1";
  def.toolbar = {tool};
  return def;
}

long Style(const wdrt::WindowPtr& w, int control) { return wdrt::GetProp(w, control, wdrt::PropButtonStyle); }

TEST(PictureButtons, ButtonsUpToTheLastControlBecomeHotSpotsAndAnswersGetPictures) {
  auto window = wdrt::Open(Page());
  PICBUTTONCLASS buttons;
  buttons.ADDBUTTON(1, "ignored.jpg");  // before INIT: no window, nothing happens
  EXPECT_EQ(window->Control(1)->picture, "");
  buttons.INIT(window, "DuvUvov.OZE", 0);
  buttons.SETLASTCONTROL(3);
  buttons.ADDBUTTON(3, "parksm.jpg");
  buttons.SHOWBUTTONS();
  EXPECT_EQ(buttons.Buttons(), (std::vector<int>{1, 3}));
  EXPECT_EQ(Style(window, 1), wdrt::ButtonStyleHotSpot);
  EXPECT_EQ(Style(window, 3), wdrt::ButtonStyleHotSpot);
  EXPECT_EQ(Style(window, 5), wdrt::ButtonStylePlain);   // beyond the last control
  EXPECT_EQ(Style(window, -10), wdrt::ButtonStylePlain);  // toolbar buttons keep their look
  EXPECT_EQ(window->Control(3)->picture, "parksm.jpg");
  buttons.RESIZE();
  EXPECT_EQ(buttons.ResizeCount(), 1);
  buttons.KILL();
  buttons.RESIZE();  // after KILL: nothing
  EXPECT_EQ(buttons.ResizeCount(), 1);
  buttons.KILL();    // twice is harmless
  wdrt::Close(window);
}

}  // namespace
