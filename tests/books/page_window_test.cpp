// Page windows built from the tables: the look each role gives its control, as children and
// parents see it (fonts, tips, icons, picture), and the control numbering.
#include <gtest/gtest.h>

#include "books/a/ABook.h"
#include "books/common/Frame.h"
#include "books/common/PageProcedure.h"
#include "books/fete/FeteBook.h"

namespace {

using book::Role;

TEST(PageWindows, RolesGiveTheirLook) {
  const book::BookDef& fete = FeteBook();
  const wdrt::WindowDef def = book::PageWindow(fete, *fete.Page(2));
  EXPECT_EQ(def.title, "Learning Words");
  EXPECT_EQ(def.module, "fete002");
  EXPECT_EQ(def.kind, wdrt::WindowKind::MdiChild);
  ASSERT_EQ(def.controls.size(), 8u);
  const auto& media = def.controls[0];
  EXPECT_EQ(media.icon, "PvMedPlay.gif");
  EXPECT_EQ(media.tip, "Play");
  const auto& next = def.controls[2];
  EXPECT_EQ(next.text, "Next");
  EXPECT_EQ(next.font.points, 28);
  EXPECT_TRUE(next.font.bold);
  EXPECT_EQ(next.font.color, wdrt::kWhite);
  EXPECT_EQ(def.controls[3].type, wdrt::TypeImage);
  EXPECT_EQ(def.controls[3].picture, "zuli.jpg");
  EXPECT_EQ(def.controls[4].tip, "Play Word");
  EXPECT_EQ(def.controls[6].icon, "speaker.ico");
  EXPECT_EQ(def.controls[6].tip, "Play Sound");
  EXPECT_EQ(def.controls[6].font.face, "MS Sans Serif");
  EXPECT_EQ(def.controls[7].text, ">>");
  EXPECT_EQ(def.controls[7].font.points, 36);
  EXPECT_EQ(def.controls[7].tip, "Play All Words");
}

TEST(PageWindows, LetterBooksUseTheirLargeLetterAndSentenceSizes) {
  const book::BookDef& a = ABook();
  const wdrt::WindowDef def = book::PageWindow(a, *a.Page(1));
  EXPECT_EQ(def.controls[2].text, "Aa");
  EXPECT_EQ(def.controls[2].font.points, 72);
  EXPECT_EQ(def.controls[3].font.points, 36);
}

TEST(PageWindows, QuestionPageLabelsAndBackground) {
  const book::BookDef& fete = FeteBook();
  const wdrt::WindowDef def = book::PageWindow(fete, *fete.Page(10));
  EXPECT_EQ(def.background, wdrt::MakeRgb(64, 128, 128));
  EXPECT_EQ(def.size.height, 228);
  EXPECT_EQ(def.controls[4].type, wdrt::TypeString);
  EXPECT_EQ(def.controls[4].font.points, 36);
}

TEST(FrameWindows, MenuToolbarAndStandardActions) {
  const wdrt::WindowDef def = book::FrameWindow(FeteBook());
  EXPECT_EQ(def.kind, wdrt::WindowKind::Frame);
  EXPECT_EQ(def.title, "Storyloom");
  EXPECT_EQ(def.picture, "fetemain.jpg");
  ASSERT_EQ(def.menu.size(), 3u);
  EXPECT_EQ(def.menu[0].items[0].text, "&Grown-ups...");
  EXPECT_EQ(def.menu[0].items[2].text, "E&xit");
  EXPECT_EQ(def.menu[0].items[2].action, wdrt::StdAction::CloseWindow);
  EXPECT_EQ(def.menu[1].items[0].action, wdrt::StdAction::TileWindow);
  ASSERT_EQ(def.toolbar.size(), 12u);
  for (const auto& c : def.toolbar) {
    if (c.number == -14) {
      EXPECT_TRUE(c.text.empty());
      EXPECT_EQ(c.icon, "ICON:Print");
    } else if (c.number == -21) {
      EXPECT_EQ(c.action, wdrt::StdAction::CloseWindow);
      EXPECT_EQ(c.font.points, 10);
    } else {
      EXPECT_EQ(c.font.points, 14);
      EXPECT_EQ(c.font.color, wdrt::MakeRgb(0, 128, 0));
      EXPECT_EQ(c.pos.width, 52);
      EXPECT_EQ(c.pos.height, 23);
    }
  }
}

}  // namespace
