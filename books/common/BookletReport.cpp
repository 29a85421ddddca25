#include "books/common/BookletReport.h"

#include <algorithm>
#include <sstream>

namespace book {

const char* const kBookletBands[6] = {"TITLEPAGE", "PAGEONE", "PAGETWO", "PAGETHREE", "PAGEFOUR", "PAGEFIVE"};

namespace {

using wdrt::report::BandDef;
using wdrt::report::ReportItem;
using wdrt::report::ReportPicture;
using wdrt::report::ReportText;

constexpr wdrt::Rgb kWhite = wdrt::MakeRgb(255, 255, 255);
constexpr wdrt::Rgb kRed = wdrt::MakeRgb(255, 0, 0);
constexpr int kLowerHalf = 5542;   // the lower page starts this far below the upper one
constexpr int kLineStep = 780;     // between the lines of a caption at 48 points
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

ReportItem Caption(int x, int y, const std::string& text, wdrt::Rgb color, int points = 48) {
  return ReportText(x, y, text, {"Arial", points, true, color});
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
  if (const std::string picture = PictureOf(page); !picture.empty())
    items.push_back(ReportPicture(picture, 594, top + 208, 7000, 4521));
  std::vector<std::string> lines;
  for (const std::string& text : StoryTexts(page))
    for (const std::string& line : Lines(text)) lines.push_back(line);
  // Up to four lines at 48 points stay on the upper part of the picture; more take 36.
  const bool small = lines.size() > 4;
  const int step = small ? 585 : kLineStep;
  for (std::size_t i = 0; i < lines.size() && i < 6; ++i)
    items.push_back(Caption(646, top + 281 + static_cast<int>(i) * step, lines[i], kWhite, small ? 36 : 48));
  items.push_back(Caption(number < 10 ? 7188 : 7000, top + 3917, std::to_string(number), kWhite));
}

void QuestionHalf(const PageDef& page, int number, int top, std::vector<ReportItem>& items) {
  std::string question;
  for (const PageControl& c : page.controls)
    if (c.role == Role::Sentence && !c.text.empty()) question = c.text;
  const auto lines = Lines(question);
  for (std::size_t i = 0; i < lines.size() && i < 2; ++i)
    items.push_back(Caption(688, top + 396 + static_cast<int>(i) * kLineStep, lines[i], kRed));
  const int pictureTop = top + (lines.size() > 1 ? 2100 : 1688);
  const int xs[3] = {52, 2625, 5188};
  std::size_t shown = 0;
  for (const auto& [control, picture] : page.pictureButtons) {
    if (shown == 3) break;
    items.push_back(ReportPicture(picture, xs[shown], pictureTop, 2521, 2750));
    ++shown;
  }
  // The answers' own names: labels under the pictures, or the answers themselves.
  std::vector<std::string> labels;
  for (const PageControl& c : page.controls)
    if (c.role == Role::Label && !c.text.empty()) labels.push_back(c.text);
  if (labels.empty())
    for (const PageControl& c : page.controls)
      if (c.role == Role::Answer && !c.text.empty()) labels.push_back(c.text);
  for (std::size_t i = 0; i < labels.size() && i < 3; ++i)
    items.push_back(Caption(xs[i] + 400, pictureTop + 2850, labels[i], wdrt::kColorNone, 28));
  items.push_back(Caption(number < 10 ? 7354 : 7100, top + 4583, std::to_string(number), wdrt::kColorNone));
}

void Half(const PageDef& page, int number, int top, std::vector<ReportItem>& items) {
  if (page.pictureButtons.empty() && !PictureOf(page).empty())
    StoryHalf(page, number, top, items);
  else
    QuestionHalf(page, number, top, items);
}

BandDef Sheet(const char* name, std::vector<ReportItem> items) {
  items.insert(items.begin(), ReportPicture("BigCut.JPG", 92, 5177, 7900, 250));
  return BandDef{name, wdrt::report::BandKind::Detail, 10750, std::move(items)};
}

}  // namespace

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

  std::vector<ReportItem> title;
  const std::string banner = book.pictureButtonPicture.empty() ? book.framePicture : book.pictureButtonPicture;
  title.push_back(ReportPicture(banner, 104, 1500, 7885, 3000));
  title.push_back(ReportPicture(book.framePicture, 740, 5979, 7104, 4521));
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
