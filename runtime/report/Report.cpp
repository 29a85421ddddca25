#include "runtime/report/Report.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "runtime/core/Journal.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/report/PaperFit.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/report/PictureBytes.h"
#include "runtime/report/TextCodePage.h"
#include "runtime/report/TextShapes.h"

namespace wdrt::report {
namespace {

constexpr std::uint16_t kAlignLeft = 0;
constexpr std::uint16_t kAlignRight = 2;
constexpr std::uint16_t kAlignCenter = 6;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// Writes the whole file; the name may already exist (made empty by the caller's namer).
bool WriteFile(const std::string& name, const std::string& bytes) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

std::string PageFolder() { return PrivateTempFolder(); }

Report::Report(ReportDef def) : def_(std::move(def)) {
  paper = def_.paper;
  landscape = def_.landscape;
}

Report::~Report() { Close(); }

void Report::Open() {
  open_ = true;
  page_.reset();
  pageHasContent_ = false;
  pagesDone_ = 0;
  lastError_ = ReportOk;
  pageWidth_ = landscape ? def_.pageHeight : def_.pageWidth;
  pageHeight_ = landscape ? def_.pageWidth : def_.pageHeight;
  PlaceOnPaper();
}

void Report::PlaceOnPaper() {
  paperWidth_ = pageWidth_;
  paperHeight_ = pageHeight_;
  placement_ = {};
  const PaperSize* size = FindPaper(paper);
  if (!size) return;
  // Paper sizes are kept in thousandths of a point; pages are laid out in thousandths of an inch.
  int width = static_cast<int>(std::lround(size->width / 72.0));
  int height = static_cast<int>(std::lround(size->height / 72.0));
  if (landscape) std::swap(width, height);
  // The layout's safe area goes into the paper's: nothing is cut, the page keeps its proportions.
  const PaperFit fit = FitOnPaper(pageWidth_, pageHeight_, width, height, kSafeMargin);
  paperWidth_ = width;
  paperHeight_ = height;
  placement_.scale = fit.scale;
  placement_.offsetX = static_cast<int>(std::lround(fit.offsetX));
  placement_.offsetY = static_cast<int>(std::lround(fit.offsetY));
}

void Report::Close() {
  page_.reset();
  pageHasContent_ = false;
  open_ = false;
}

const BandDef* Report::FindBand(const std::string& name, BandKind kind) const {
  for (const BandDef& band : def_.bands) {
    if (band.kind != kind) continue;
    if (kind != BandKind::Detail || SameName(band.name, name)) return &band;
  }
  return nullptr;
}

int Report::PrintableBottom() const {
  const BandDef* footer = FindBand({}, BandKind::PageFooter);
  return pageHeight_ - def_.marginBottom - (footer ? footer->height : 0);
}

void Report::StartPage() {
  page_.emplace(paperWidth_, paperHeight_, 1000, placement_);
  pageHasContent_ = false;
  cursor_ = def_.marginTop;
  if (const BandDef* header = FindBand({}, BandKind::PageHeader)) {
    PlaceBand(*header, cursor_);
    cursor_ += header->height;
  }
}

void Report::PlaceBand(const BandDef& band, int top, const FieldText& fields) {
  WmfWriter& w = *page_;
  const int left = def_.marginLeft;
  for (const ReportItem& item : band.items) {
    const int x = left + item.x;
    const int y = top + item.y;
    switch (item.kind) {
      case ItemKind::Text:
        PlaceText(item, x, y, fields);
        break;
      case ItemKind::Picture: {
        auto picture = LoadPictureBytes(item.picture);
        if (!picture) break;  // a missing picture leaves its place empty, as on screen
        int px = x, py = y, pw = item.width, ph = item.height;
        if (item.keepAspect && picture->pixelWidth > 0 && picture->pixelHeight > 0 && pw > 0 && ph > 0) {
          // As large as it fits, centred: never stretched.
          const double scale = std::min(static_cast<double>(pw) / picture->pixelWidth,
                                        static_cast<double>(ph) / picture->pixelHeight);
          const int fw = static_cast<int>(std::lround(picture->pixelWidth * scale));
          const int fh = static_cast<int>(std::lround(picture->pixelHeight * scale));
          px += (pw - fw) / 2;
          py += (ph - fh) / 2;
          pw = fw;
          ph = fh;
        }
        w.Picture(picture->encoded, picture->format, picture->pixelWidth, picture->pixelHeight, px, py, pw, ph);
        break;
      }
      case ItemKind::Line:
        w.SetPen(item.pen == kColorNone ? 5 : 0, item.penWidth, item.pen == kColorNone ? kBlack : item.pen);
        w.Line(x, y, x + item.width, y + item.height);
        break;
      case ItemKind::Box:
        w.SetPen(item.pen == kColorNone ? 5 : 0, item.penWidth, item.pen == kColorNone ? kBlack : item.pen);
        w.SetBrush(item.fill == kColorNone ? 1 : 0, item.fill == kColorNone ? kBlack : item.fill);
        w.Rectangle(x, y, x + item.width, y + item.height);
        break;
    }
  }
  pageHasContent_ = true;
}

std::string Report::TextOf(const ReportItem& item, const FieldText& fields) {
  if (!item.field.empty()) return fields ? fields(item.field) : std::string();
  if (!item.filled) return item.text;
  // "{name}" parts take their field's value; anything else stays as written.
  std::string text;
  for (std::size_t at = 0; at < item.text.size();) {
    const std::size_t open = item.text.find('{', at);
    const std::size_t close = open == std::string::npos ? open : item.text.find('}', open);
    if (close == std::string::npos) {
      text += item.text.substr(at);
      break;
    }
    text += item.text.substr(at, open - at);
    text += fields ? fields(item.text.substr(open + 1, close - open - 1)) : std::string();
    at = close + 1;
  }
  return text;
}

void Report::PlaceText(const ReportItem& item, int x, int y, const FieldText& fields) {
  WmfWriter& w = *page_;
  const std::string text = TextOf(item, fields);
  if (!item.field.empty() && text.empty()) return;  // an empty value draws nothing
  auto encoded = EncodeForPage(text);
  if (!encoded) {
    lastError_ = ReportUnprintableText;
    return;
  }
  WmfFontSpec font;
  font.face = item.font.face.empty() ? def_.font.face : item.font.face;
  const int points = item.font.points > 0 ? item.font.points : def_.font.points;
  font.height = points * 1000 / 72;
  font.weight = item.font.bold || (item.font.face.empty() && def_.font.bold) ? 700 : 400;
  font.charset = encoded->charset;
  // A text that must keep to its width is made smaller until it does (to no less than a
  // third of its size).
  std::optional<double> width = item.shrink || item.outline != kColorNone || item.align != TextAlign::Left
                                    ? TextWidth(text, font)
                                    : std::nullopt;
  if (item.shrink && item.width > 0 && width && *width > item.width) {
    font.height = std::max(font.height / 3, static_cast<int>(font.height * item.width / *width));
    width = TextWidth(text, font);
  }
  int textX = x;
  std::uint16_t align = kAlignLeft;
  if (item.align == TextAlign::Center) {
    align = kAlignCenter;
    textX = x + item.width / 2;
  } else if (item.align == TextAlign::Right) {
    align = kAlignRight;
    textX = x + item.width;
  }
  if (item.outline != kColorNone && width) {
    // The letters' outlines, drawn first with a pen wider than the letters' edge; the text
    // itself then covers the inner half, and the outer half rings it.
    const double left = item.align == TextAlign::Center ? textX - *width / 2
                        : item.align == TextAlign::Right ? textX - *width
                                                         : textX;
    const std::vector<Polygon> outline = TextOutline(text, font, left, y);
    if (!outline.empty()) {
      w.SetPen(0, std::max(8, font.height / 12), item.outline);
      w.SetBrush(1, kBlack);
      w.PolyPolygon(outline);
    }
  }
  w.SetFont(font);
  w.SetTextColor(item.font.color != kColorNone ? item.font.color
                 : def_.font.color != kColorNone ? def_.font.color
                                                 : kBlack);
  w.SetTextAlign(align);
  w.Text(textX, y, encoded->bytes);
}

int Report::Print(const std::string& name, const FieldText& fields) {
  if (!open_) return lastError_ = ReportNotOpen;
  const BandDef* band = FindBand(name, BandKind::Detail);
  if (!band) return lastError_ = ReportNoSuchBand;
  lastError_ = ReportOk;
  if (!page_) StartPage();
  // A band that no longer fits goes to the top of a new page (unless the page is still empty).
  const int headerEnd = def_.marginTop + (FindBand({}, BandKind::PageHeader) ? FindBand({}, BandKind::PageHeader)->height : 0);
  if (cursor_ + band->height > PrintableBottom() && cursor_ > headerEnd) {
    if (int error = FinishPage(); error != ReportOk) return error;
    StartPage();
  }
  const int error = lastError_;
  PlaceBand(*band, cursor_, fields);
  cursor_ += band->height;
  return lastError_ != ReportOk ? lastError_ : error;
}

int Report::EndPage() {
  if (!open_) return lastError_ = ReportNotOpen;
  if (!page_ || !pageHasContent_) return ReportOk;
  return FinishPage();
}

int Report::FinishPage() {
  if (const BandDef* footer = FindBand({}, BandKind::PageFooter)) PlaceBand(*footer, PrintableBottom());
  const std::string bytes = page_->Finish();
  page_.reset();
  pageHasContent_ = false;
  const int number = pagesDone_ + 1;
  std::string name;
  if (namer_) {
    name = namer_(number);
  } else if (auto made = CreatePrivateFile(PageFolder(), "page-", ".wmf")) {
    name = *made;
  }
  if (name.empty()) return lastError_ = ReportCannotWritePage;
  if (name.size() > kPreviewImageSize) {
    ::unlink(name.c_str());
    return lastError_ = ReportNameTooLong;
  }
  if (!WriteFile(name, bytes)) return lastError_ = ReportCannotWritePage;
  pagesDone_ = number;
  JournalLine("report-page " + std::to_string(number) + " " + JournalQuote(name));
  if (queue_) queue_->Add(name);
  return ReportOk;
}

}  // namespace wdrt::report
