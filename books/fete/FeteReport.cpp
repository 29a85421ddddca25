// The birthday book's six sheets as data: positions in thousandths of an inch from the top-left
// corner of each band, 48-point bold Arial, white captions on pictures, red questions. Texts
// that name the child say "{child}": each booklet is the book of the child it is printed for.
#include "books/fete/FeteReport.h"

#include <string>

#include "books/common/BookletReport.h"

namespace {

using wdrt::report::BandDef;
using wdrt::report::ReportDef;
using wdrt::report::ReportItem;
using wdrt::report::ReportPicture;
using wdrt::report::ReportText;

constexpr wdrt::Rgb kWhite = wdrt::MakeRgb(255, 255, 255);
constexpr wdrt::Rgb kRed = wdrt::MakeRgb(255, 0, 0);
constexpr wdrt::Rgb kDefault = wdrt::kColorNone;

// A caption; white ones are ringed dark so that they read on light pictures too. `width` > 0
// keeps a text that names the child from running off its picture with a long name.
ReportItem Text(int x, int y, std::string text, wdrt::Rgb color = kWhite, int points = 48, int width = 0) {
  ReportItem item = text.find("{child}") == std::string::npos
                        ? ReportText(x, y, std::move(text), {"Arial", points, true, color})
                        : wdrt::report::ReportFilledText(x, y, std::move(text), {"Arial", points, true, color});
  if (color == kWhite) item.outline = wdrt::MakeRgb(40, 40, 40);
  item.width = width;
  item.shrink = width > 0;
  return item;
}

// The cover's title over the cover drawn without it: "<child>'s" on the white plate at the top
// of the picture (the picture spans 740 .. 7844 across and 5979 .. 10500 down).
ReportItem CoverTitle() {
  ReportItem item = wdrt::report::ReportFilledText(1736, 6300, "{child}'s", {"Comic Sans MS", 44, true,
                                                                            wdrt::MakeRgb(0xe9, 0x1e, 0x63)});
  item.width = 5112;
  item.shrink = true;
  item.align = wdrt::report::TextAlign::Center;
  return item;
}

// The last sheet's answer pictures keep their proportions, centred in their place; each label
// is centred under its picture, and the page number stands right of the labels, below the
// pictures, so that it touches neither.
ReportItem AnswerCard(const char* picture, int x, int y, int width, int height) {
  ReportItem item = ReportPicture(picture, x, y, width, height);
  item.keepAspect = true;
  return item;
}

ReportItem AnswerLabel(int x, int y, int width, const char* text) {
  ReportItem item = ReportText(x, y, text, {"Arial", 28, true, kDefault});
  item.width = width;
  item.align = wdrt::report::TextAlign::Center;
  return item;
}

ReportItem PageNumber(int number, int y) {
  ReportItem item = ReportText(6800, y, std::to_string(number), {"Arial", 48, true, kDefault});
  item.width = 1190;
  item.align = wdrt::report::TextAlign::Right;
  return item;
}

// Every sheet is cut in half along this strip.
ReportItem CuttingLine() { return ReportPicture("BigCut.JPG", 92, 5177, 7900, 250); }

BandDef Sheet(const char* name, std::vector<ReportItem> items) {
  items.insert(items.begin(), CuttingLine());
  return BandDef{name, wdrt::report::BandKind::Detail, 10750, std::move(items)};
}

std::vector<ReportItem> TitleSheet() {
  std::vector<ReportItem> items = book::HowToMakeTheBook();
  items.push_back(ReportPicture("DuvUvov.OZE", 104, 2500, 7885, 1000));
  items.push_back(ReportPicture("fetecover.jpg", 740, 5979, 7104, 4521));
  items.push_back(CoverTitle());
  return items;
}

ReportDef MakeFeteReport() {
  ReportDef def;
  def.name = "PrintBook1a";
  def.pageWidth = 8500;
  def.pageHeight = 11000;
  def.paper = 1;
  // The 8.083 × 10.75 inch bands sit in the middle of the letter sheet.
  def.marginLeft = 208;
  def.marginTop = 125;
  def.marginBottom = 125;
  def.font = {"Arial", 48, true, wdrt::kBlack};
  def.bands = {
      Sheet("TITLEPAGE", TitleSheet()),
      Sheet("PAGEONE", {ReportPicture("zuli.jpg", 594, 208, 7000, 4521),
                        Text(646, 281, "Hi, my name is {child}.", kWhite, 48, 6900),
                        Text(667, 1063, "It's my birthday."),
                        Text(635, 1802, "I am going to be six."),
                        Text(7188, 3917, "1"),
                        ReportPicture("park.jpg", 594, 5750, 7146, 4490),
                        Text(688, 5896, "I am having a birthday "),
                        Text(719, 6646, "party."),
                        Text(660, 7500, "My party is at the park.", kWhite, 48, 7000),
                        Text(7313, 9375, "2")}),
      Sheet("PAGETWO", {ReportPicture("decorate.jpg", 719, 479, 7010, 4510),
                        Text(750, 583, "My mom and I are"),
                        Text(750, 1365, "decorating my cake."),
                        Text(7156, 4219, "3"),
                        ReportPicture("friends.jpg", 698, 6000, 7146, 4500),
                        Text(833, 6229, "Look, my friends are "),
                        Text(833, 6990, "here!"),
                        Text(7448, 9625, "4")}),
      Sheet("PAGETHREE", {ReportPicture("games.jpg", 729, 500, 7000, 4500),
                          Text(813, 615, "We are playing party "),
                          Text(938, 1385, "games."),
                          Text(7271, 4094, "5"),
                          ReportPicture("cake.jpg", 708, 5990, 7000, 4500),
                          Text(802, 6104, "Now it's time for cake"),
                          Text(844, 6884, "and icecream."),
                          Text(7188, 9521, "6", kDefault)}),
      Sheet("PAGEFOUR", {ReportPicture("funbd.jpg", 719, 490, 7000, 4500),
                         Text(896, 635, "My party was a lot"),
                         Text(948, 1469, "of fun."),
                         Text(7219, 4083, "7"),
                         ReportPicture("zuli.jpg", 708, 6000, 7000, 4490),
                         Text(844, 6229, "How  old  is  {child} going", kWhite, 43, 6750),
                         Text(885, 7031, "to be?"),
                         Text(7250, 9615, "8")}),
      Sheet("PAGEFIVE", {Text(688, 396, "Where was her party?", kRed),
                         AnswerCard("parksm.jpg", 52, 1250, 2521, 3000),
                         AnswerCard("house.jpg", 2625, 1250, 2521, 3000),
                         AnswerCard("zoo.jpg", 5188, 1250, 2521, 3000),
                         AnswerLabel(52, 4300, 2521, "The Park"),
                         AnswerLabel(2625, 4300, 2521, "Her House"),
                         AnswerLabel(5188, 4300, 2521, "The Zoo"),
                         PageNumber(9, 4300),
                         Text(688, 5771, "What  did  they  eat?", kRed),
                         AnswerCard("pizzasm.jpg", 427, 6650, 2469, 2850),
                         AnswerCard("cakesm.jpg", 2927, 6650, 2469, 2850),
                         AnswerCard("chips.jpg", 5417, 6650, 2469, 2850),
                         AnswerLabel(427, 9560, 2469, "Pizza"),
                         AnswerLabel(2927, 9560, 2469, "Icecream"),
                         AnswerLabel(5417, 9560, 2469, "Chips"),
                         PageNumber(10, 9560)}),
  };
  return def;
}

}  // namespace

const wdrt::report::ReportDef& FeteReport() {
  static const ReportDef report = MakeFeteReport();
  return report;
}
