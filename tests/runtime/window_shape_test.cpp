// Window regions: what the menus' shapes cover once mapped onto a window's pixels, and the
// model's record of a window's region and button events.
#include <gtest/gtest.h>

#include "runtime/core/Runtime.h"
#include "runtime/core/WindowShape.h"
#include "runtime/view/WindowShapeView.h"

namespace {

TEST(WindowRegions, ARoundedRectangleCutsItsCornersAndKeepsItsMiddle) {
  const wdrt::Geometry units{0, 0, 320, 262};
  const QSize pixels(960, 870);
  const QRegion region = wdrt::view::RegionToPixels(wdrt::CreateRoundRectRgn(1, 1, 320, 262, 32, 26), units, pixels);
  EXPECT_FALSE(region.contains(QPoint(4, 4)));
  EXPECT_FALSE(region.contains(QPoint(955, 865)));
  EXPECT_TRUE(region.contains(QPoint(480, 435)));
  EXPECT_TRUE(region.contains(QPoint(480, 6)));   // the top edge between the corners
  EXPECT_TRUE(region.contains(QPoint(6, 435)));   // the left edge between the corners
  EXPECT_FALSE(region.contains(QPoint(1, 435)));  // the rectangle starts at (1, 1)
}

TEST(WindowRegions, AnOctagonCutsATenthOfEachSide) {
  const wdrt::Geometry units{0, 0, 300, 200};
  const QSize pixels(900, 669);
  const int w = 300, h = 200;
  const QRegion region = wdrt::view::RegionToPixels(
      wdrt::CreatePolygonRgn({{0, h / 10}, {w / 10, 0}, {w * 9 / 10, 0}, {w, h / 10}, {w, h * 9 / 10},
                              {w * 9 / 10, h}, {w / 10, h}, {0, h * 9 / 10}}),
      units, pixels);
  for (QPoint corner : {QPoint(20, 20), QPoint(880, 20), QPoint(20, 649), QPoint(880, 649)})
    EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
  for (QPoint inside : {QPoint(450, 334), QPoint(100, 2), QPoint(2, 334), QPoint(800, 666)})
    EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
}

TEST(WindowRegions, TheModelKeepsEachWindowsRegionAndButtonEvents) {
  wdrt::WindowDef def;
  def.title = "Shaped";
  def.size = {0, 0, 100, 80};
  wdrt::WindowPtr window = wdrt::Open(def);
  EXPECT_EQ(wdrt::GetWindowRgn(window).kind, wdrt::WindowRegion::Kind::None);
  EXPECT_FALSE(wdrt::ButtonEvents(window));
  wdrt::SetWindowRgn(window, wdrt::CreateRoundRectRgn(1, 1, 100, 80, 10, 8));
  wdrt::SetButtonEvents(window, true);
  const wdrt::WindowRegion region = wdrt::GetWindowRgn(window);
  EXPECT_EQ(region.kind, wdrt::WindowRegion::Kind::RoundRect);
  EXPECT_EQ(region.rect, (wdrt::Geometry{1, 1, 99, 79}));
  EXPECT_EQ(region.ellipseWidth, 10);
  EXPECT_TRUE(wdrt::ButtonEvents(window));
  wdrt::Close(window);
}

}  // namespace
