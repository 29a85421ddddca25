#include "books/common/BookletReport.h"

#include <algorithm>
#include <sstream>

#include "runtime/report/Report.h"

namespace book {

const char* const kBookletBands[6] = {"TITLEPAGE", "PAGEONE", "PAGETWO", "PAGETHREE", "PAGEFOUR", "PAGEFIVE"};

namespace {

using wdrt::report::BandDef;
using wdrt::report::ReportItem;
using wdrt::report::ReportPicture;
using wdrt::report::ReportText;
using wdrt::report::TextAlign;

constexpr wdrt::Rgb kWhite = wdrt::MakeRgb(255, 255, 255);
constexpr wdrt::Rgb kRed = wdrt::MakeRgb(255, 0, 0);
constexpr wdrt::Rgb kOutline = wdrt::MakeRgb(40, 40, 40);
constexpr wdrt::Rgb kNote = wdrt::MakeRgb(90, 90, 90);

// The sheet in band units (the band stands 208 right of and 125 below the paper's corner):
// what the quarter-inch safe area of the paper leaves of it, the cutting strip across its
// middle, and where the lower half page's layout starts.
constexpr int kSafeLeft = wdrt::report::kSafeMargin - 208;
constexpr int kSafeRight = 8500 - wdrt::report::kSafeMargin - 208;
constexpr int kSafeBottom = 11000 - wdrt::report::kSafeMargin - 125;
constexpr int kCutTop = 5177;
constexpr int kCutHeight = 250;
constexpr int kLowerHalf = 5542;
// The lowest a half page's content reaches, from the half's own top.
constexpr int kHalfBottom = kSafeBottom - kLowerHalf;

constexpr int kLineStep = 780;     // between the lines of a caption at 48 points
constexpr int kLineHeight = 760;   // what a line at 48 points takes down the page, descenders too
constexpr std::size_t kLineCharacters = 21;  // what a 48-point bold line holds across a page

// Breaks a caption into lines of at most kLineCharacters at its blanks (the books' texts
// separate words with two blanks, which stay inside a line).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  std::vector<std::string> lines;
  std::string line;
  for (const std::string& w : words) {
    const std::string candidate = line.empty() ? w : line + "  " + w;
    if (!line.empty() && candidate.size() > kLineCharacters) {
      lines.push_back(line);
      line = w;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A text that keeps within `width` (made smaller when it would not), outlined when it is
// white, so that it reads on any picture.
ReportItem Caption(int x, int y, int width, const std::string& text, wdrt::Rgb color, int points = 48,
                   TextAlign align = TextAlign::Left) {
  ReportItem item = ReportText(x, y, text, {"Arial", points, true, color});
  item.width = width;
  item.shrink = true;
  item.align = align;
  if (color == kWhite) item.outline = kOutline;
  return item;
}

ReportItem Picture(const std::string& picture, int x, int y, int width, int height) {
  ReportItem item = ReportPicture(picture, x, y, width, height);
  item.keepAspect = true;
  return item;
}

// The page number at the bottom right of a half page, inside the safe area.
ReportItem PageNumber(int number, int right, int y, wdrt::Rgb color) {
  return Caption(right - 1200, y, 1200, std::to_string(number), color, 48, TextAlign::Right);
}

// The texts a story page prints: its sentence, its further lines, and spoken words that
// are phrases of their own ("It  stands  for  freedom.").
std::vector<std::string> StoryTexts(const PageDef& page) {
  std::vector<std::string> texts;
  for (const PageControl& c : page.controls)
    if (c.role == Role::Sentence && !c.text.empty()) texts.push_back(c.text);
  for (const PageControl& c : page.controls)
    if (c.role == Role::ExtraLine && !c.text.empty()) texts.push_back(c.text);
  for (const PageControl& c : page.controls)
    if (c.role == Role::Word && std::count(c.text.begin(), c.text.end(), ' ') >= 2) texts.push_back(c.text);
  return texts;
}

std::string PictureOf(const PageDef& page) {
  for (const PageControl& c : page.controls)
    if (c.role == Role::Picture && !c.picture.empty()) return c.picture;
  return {};
}

void StoryHalf(const PageDef& page, int number, int top, std::vector<ReportItem>& items) {
  constexpr int kLeft = 594, kWidth = 7000, kHeight = 4521;
  if (const std::string picture = PictureOf(page); !picture.empty())
    items.push_back(ReportPicture(picture, kLeft, top + 208, kWidth, kHeight));
  std::vector<std::string> lines;
  for (const std::string& text : StoryTexts(page))
    for (const std::string& line : Lines(text)) lines.push_back(line);
  // Up to four lines at 48 points stay on the upper part of the picture; more take 36.
  const bool small = lines.size() > 4;
  const int step = small ? 585 : kLineStep;
  for (std::size_t i = 0; i < lines.size() && i < 6; ++i)
    items.push_back(Caption(kLeft + 52, top + 281 + static_cast<int>(i) * step, kWidth - 152, lines[i], kWhite,
                            small ? 36 : 48));
  items.push_back(PageNumber(number, kLeft + kWidth - 100, top + 3917, kWhite));
}

// A question's answers as the screen shows them, left to right: each answer's picture (when it
// has one) and its name, the label that stands nearest under it, else the answer's own text.
struct Answer {
  int x = 0;
  int centre = 0;
  std::string picture;
  std::string label;
};

std::vector<Answer> AnswersLeftToRight(const PageDef& page) {
  std::vector<Answer> answers;
  for (const PageControl& c : page.controls)
    if (c.role == Role::Answer) answers.push_back({c.pos.x, c.pos.x + c.pos.width / 2, c.picture, c.text});
  std::sort(answers.begin(), answers.end(), [](const Answer& a, const Answer& b) { return a.x < b.x; });
  for (const PageControl& c : page.controls) {
    if (c.role != Role::Label || c.text.empty() || answers.empty()) continue;
    const int centre = c.pos.x + c.pos.width / 2;
    auto nearest = std::min_element(answers.begin(), answers.end(), [&](const Answer& a, const Answer& b) {
      return std::abs(a.centre - centre) < std::abs(b.centre - centre);
    });
    nearest->label = c.text;
  }
  return answers;
}

void QuestionHalf(const PageDef& page, int number, int top, std::vector<ReportItem>& items) {
  constexpr int kCardWidth = 2300, kCardGap = 100, kLabelPoints = 28, kLabelHeight = 445;
  std::string question;
  for (const PageControl& c : page.controls)
    if (c.role == Role::Sentence && !c.text.empty()) question = c.text;
  const auto lines = Lines(question);
  const int shown = static_cast<int>(std::min<std::size_t>(lines.size(), 2));
  for (int i = 0; i < shown; ++i)
    items.push_back(Caption(688, top + 250 + i * 760, 7000, lines[static_cast<std::size_t>(i)], kRed));
  // Three cards in a row, their names under them; the page number to the right of the names.
  const int cardTop = top + 250 + shown * 760 + 150;
  const int cardHeight = std::min(3000, top + kHalfBottom - 40 - kLabelHeight - 80 - cardTop);
  const std::vector<Answer> answers = AnswersLeftToRight(page);
  for (std::size_t i = 0; i < answers.size() && i < 3; ++i) {
    const int x = kCardGap + static_cast<int>(i) * (kCardWidth + kCardGap);
    const Answer& a = answers[i];
    if (!a.picture.empty()) {
      items.push_back(Picture(a.picture, x, cardTop, kCardWidth, cardHeight));
      items.push_back(Caption(x, cardTop + cardHeight + 80, kCardWidth, a.label, wdrt::kColorNone, kLabelPoints,
                              TextAlign::Center));
    } else {
      // An answer that is only words stands big in the middle of its place.
      items.push_back(Caption(x, cardTop + cardHeight / 2 - kLineHeight / 2, kCardWidth, a.label, wdrt::kColorNone,
                              48, TextAlign::Center));
    }
  }
  items.push_back(PageNumber(number, kSafeRight, top + kHalfBottom - kLineHeight, wdrt::kColorNone));
}

void Half(const PageDef& page, int number, int top, std::vector<ReportItem>& items) {
  if (page.pictureButtons.empty() && !PictureOf(page).empty())
    StoryHalf(page, number, top, items);
  else
    QuestionHalf(page, number, top, items);
}

BandDef Sheet(const char* name, std::vector<ReportItem> items) {
  items.insert(items.begin(), ReportPicture("BigCut.JPG", 92, kCutTop, 7900, kCutHeight));
  return BandDef{name, wdrt::report::BandKind::Detail, 10750, std::move(items)};
}

}  // namespace

std::vector<ReportItem> HowToMakeTheBook() {
  // On the cutting strip of the first sheet, on white so that it reads over the dashes.
  constexpr int kWidth = 5600, kHeight = 150;
  const int x = (8083 - kWidth) / 2;
  const int y = kCutTop + (kCutHeight - kHeight) / 2;
  ReportItem note = ReportText(x, y, "Cut along the dotted lines, stack the half pages in order, staple twice along "
                                     "the left edge.", {"Arial", 9, false, kNote});
  note.width = kWidth;
  note.shrink = true;
  note.align = TextAlign::Center;
  return {wdrt::report::ReportBox(x - 60, y - 20, kWidth + 120, kHeight + 40, wdrt::kColorNone, kWhite), note};
}

wdrt::report::ReportDef MakeBookletReport(const BookDef& book) {
  wdrt::report::ReportDef def;
  def.name = "PrintBook1a";
  def.marginLeft = 208;
  def.marginTop = 125;
  def.marginBottom = 125;
  def.font = {"Arial", 48, true, wdrt::kBlack};

  // The story in the order of the toolbar's page buttons.
  std::vector<const PageDef*> story;
  for (const ToolbarButton& button : book.toolbar) {
    if (button.module == 0) continue;
    if (const PageDef* page = book.Page(button.module);
        page && std::find(story.begin(), story.end(), page) == story.end())
      story.push_back(page);
  }

  // The first sheet: the publisher's title page above, the book's cover below with the name
  // of the child it was made for.
  std::vector<ReportItem> title = HowToMakeTheBook();
  title.push_back(Picture("DuvUvov.OZE", 104, 1500, 7885, 2000));
  ReportItem owner = wdrt::report::ReportFilledText(kSafeLeft, kLowerHalf + 20, "This book belongs to {child}",
                                                   {"Arial", 36, true, wdrt::kBlack});
  owner.width = kSafeRight - kSafeLeft;
  owner.shrink = true;
  owner.align = TextAlign::Center;
  title.push_back(owner);
  title.push_back(Picture(book.framePicture, 390, kLowerHalf + 650, 7300, kHalfBottom - 650));
  def.bands.push_back(Sheet(kBookletBands[0], std::move(title)));
  for (int sheet = 1; sheet <= 5; ++sheet) {
    std::vector<ReportItem> items;
    const std::size_t upper = static_cast<std::size_t>(2 * sheet - 2);
    if (upper < story.size()) Half(*story[upper], static_cast<int>(upper) + 1, 0, items);
    if (upper + 1 < story.size()) Half(*story[upper + 1], static_cast<int>(upper) + 2, kLowerHalf, items);
    def.bands.push_back(Sheet(kBookletBands[sheet], std::move(items)));
  }
  return def;
}

}  // namespace book
